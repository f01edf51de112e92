// The application's core interface as plug-ins reach it through
// GetCOREInterface(): the scene (time, the node hierarchy, making and
// deleting nodes, the selection), the host's folders and keyboard shortcut
// tables.
#pragma once

#include <windows.h>

#include "host/inode.h"
#include "host/paths.h"
#include "host/renderers.h"
#include "host/shortcuts.h"
#include "host/viewports.h"

class Interface {
 public:
  virtual ~Interface() = default;
  // The time slider's time.
  virtual TimeValue GetTime() = 0;
  virtual INode* GetRootNode() = 0;
  // The first node in scene order with that name (case-insensitive), or null.
  virtual INode* GetINodeByName(const char* name) = 0;
  // A new top-level node showing object (the scene takes it), named after
  // the object's class with the next free number: Box001, Box002, ...
  // Undo removes it again while theHold is holding.
  virtual INode* CreateObjectNode(Object* object) = 0;
  // Removes the node from the scene; its children move to its parent and
  // keep their place in the world. While theHold is holding, undo brings
  // it back; otherwise it is freed.
  virtual void DeleteNode(INode* node, BOOL redraw = TRUE) = 0;
  virtual int GetSelNodeCount() = 0;
  virtual INode* GetSelNode(int i) = 0;
  virtual void SelectNode(INode* node, int clearSel = 1) = 0;
  virtual void DeselectNode(INode* node) = 0;
  virtual void ClearNodeSelection(BOOL redraw = TRUE) = 0;
  // A new object of a class the host offers (a light, a camera, ...), owned
  // by the caller until it is given to the scene; null for other classes.
  virtual void* CreateInstance(SClass_ID superID, Class_ID classID) = 0;
  // The current renderer; with none (after AssignCurRenderer(nullptr)) a new
  // default scanline renderer when asked to create one, else null.
  virtual Renderer* GetCurrentRenderer(bool createRendererIfItDoesntExist = true) = 0;
  // The scene takes the renderer and keeps it until the end of the run.
  virtual void AssignCurRenderer(Renderer* rend) = 0;
  // The environment's ambient light, components 0..1 (black at start).
  virtual Point3 GetAmbient(TimeValue t) = 0;
  virtual void SetAmbient(TimeValue t, Point3 col) = 0;

  // Scene files (host/scene_files.h): TRUE once the scene was written to,
  // or replaced by, the file; FileReset gives a new, empty scene. There are
  // no prompts: noPrompt and the save flags change nothing.
  virtual BOOL SaveToFile(const char* fname, BOOL clearNeedSaveFlag = TRUE, BOOL useNewFile = TRUE);
  virtual BOOL LoadFromFile(const char* name, BOOL refresh = TRUE);
  virtual void FileReset(BOOL noPrompt = FALSE);

  // A folder of the host by its AppDir number (APP_SCRIPTS_DIR, ...), as
  // IPathConfigMgr gives it; "" for a number that names no folder.
  virtual const char* GetDir(int which);
  // While active, the table's fired entries reach the callback. A table is
  // known once a loaded plug-in's class descriptor offered it.
  virtual BOOL ActivateShortcutTable(ShortcutCallback* callback, ActionTableId id);
  virtual BOOL DeactivateShortcutTable(ShortcutCallback* callback, ActionTableId id);

  // Viewports. Scene redraws nest: each DisableSceneRedraw is undone by one
  // EnableSceneRedraw (more enables than disables do nothing); while any is
  // in force the active viewport is not enabled and redraws do nothing.
  virtual ViewExp& GetActiveViewExp();
  // The same viewport as older plug-ins ask for it, handed back with
  // ReleaseViewport when done; null when there is none.
  virtual ViewExp* GetActiveViewport();
  virtual void ReleaseViewport(ViewExp* vpt);
  virtual void RedrawViews(TimeValue t, DWORD vpFlags = REDRAW_NORMAL);
  // Redraws every viewport, the disabled ones too when doDisabled.
  virtual void ForceCompleteRedraw(BOOL doDisabled = TRUE);
  virtual void DisableSceneRedraw();
  virtual void EnableSceneRedraw();
  virtual int IsSceneRedrawDisabled();
  // How many redraws were done since the start of the run.
  virtual int GetRedrawCount();

  // The progress bar: ProgressStart shows it with the title (at 0%, when
  // dispBar), clears the cancel flag, runs fn(arg) when given and returns
  // TRUE; the work calls ProgressUpdate with its percentage (0 to 100) and
  // polls GetCancel. The bar stays until ProgressEnd. The listener draws it
  // on stderr when that is a terminal: the title, a bar, the percentage and
  // an estimate of the time left, one line redrawn in place; elsewhere there
  // is no bar.
  virtual BOOL ProgressStart(const char* title, BOOL dispBar, LPTHREAD_START_ROUTINE fn, LPVOID arg);
  virtual void ProgressUpdate(int pct, BOOL showPct = TRUE, const char* title = nullptr);
  virtual void ProgressEnd();
  // The cancel flag: set by SetCancel (a user's cancel) and, while the bar
  // is on a terminal, by Esc pressed there since ProgressStart or the last
  // SetCancel; cleared by ProgressStart and by SetCancel(FALSE).
  virtual BOOL GetCancel();
  virtual void SetCancel(BOOL sw);
};

Interface* GetCOREInterface();
