// The application's folders as plug-ins ask for them; scripts see the same
// folders through getDir (#scripts is APP_SCRIPTS_DIR, #plugcfg is
// APP_PLUGCFG_DIR, ...).
#pragma once

enum AppDir {
  APP_FONT_DIR,
  APP_SCENE_DIR,
  APP_IMPORT_DIR,
  APP_EXPORT_DIR,
  APP_HELP_DIR,
  APP_EXPRESSION_DIR,
  APP_PREVIEW_DIR,
  APP_IMAGE_DIR,
  APP_SOUND_DIR,
  APP_PLUGCFG_DIR,
  APP_MAXSTART_DIR,
  APP_VPOST_DIR,
  APP_DRIVERS_DIR,
  APP_AUTOBACK_DIR,
  APP_MATLIB_DIR,
  APP_SCRIPTS_DIR,
  APP_STARTUPSCRIPTS_DIR,
  APP_UI_DIR,
  APP_MAXROOT_DIR,
  APP_TEMP_DIR,
  APP_USER_SCRIPTS_DIR,
  APP_USER_STARTUPSCRIPTS_DIR,
  APP_MAXDATA_DIR,
};

class IPathConfigMgr {
 public:
  static IPathConfigMgr* GetPathConfigMgr();
  // The folder's path (no trailing separator but for APP_MAXROOT_DIR), or
  // "" for a number that names no folder. The text stays valid for the run.
  const char* GetDir(int which) const;
};
