// Scene XRefs for scripts: the xrefs struct (addNewXRefFile,
// getXRefFileCount, getXRefFile, deleteAllXRefs) and XRefScene values with
// .filename and .unresolved.
#include "host/checks.h"
#include "host/core_interface.h"
#include "host/properties.h"
#include "host/streams.h"
#include "host/values.h"

namespace {

INode* root() { return GetCOREInterface()->GetRootNode(); }

// The list's index of the entry numbered id, or -1 once it left the list.
int index_of(int id) {
  for (int i = 0; i < root()->GetXRefFileCount(); ++i)
    if (root()->XRefFileId(i) == id) return i;
  return -1;
}

extern ValueMetaClass XRefScene_class;

class XRefSceneValue : public Value {
 public:
  explicit XRefSceneValue(int id) : id_(id) { tag = &XRefScene_class; }
  // The entry's index, or the deleted-object error.
  int index() const {
    int i = index_of(id_);
    if (i < 0) throw RuntimeError(host::msg::kDeletedObject);
    return i;
  }
  void sprin1(CharStream* s) override {
    int i = index_of(id_);
    if (i < 0) {
      s->puts(host::msg::kDeletedObjectPrint);
      return;
    }
    s->printf("XRefScene:%s", root()->GetXRefFile(i).data());
  }

 private:
  int id_;
};

XRefSceneValue* self_entry(Value* self) { return static_cast<XRefSceneValue*>(self); }

Value* get_filename(Value* self) { return new String(root()->GetXRefFile(self_entry(self)->index()).data()); }
void set_filename(Value* self, Value* v) {
  root()->SetXRefFile(self_entry(self)->index(), v->to_string(), TRUE);
}
Value* get_unresolved(Value* self) {
  return bool_result(!root()->XRefFileResolved(self_entry(self)->index()));
}

PropertyTable xref_scene_properties{
    {"filename", "string", get_filename, set_filename},
    {"unresolved", "boolean", get_unresolved},
};

ValueMetaClass XRefScene_class("XRefScene", &MAXWrapper_class, nullptr, &xref_scene_properties);

// xrefs.addNewXRefFile <file> [#noLoad]: the new entry.
Value* add_new_xref_file_cf(Value** a, int count) {
  check_arg_count_range("addNewXRefFile", 1, 2, count);
  const char* file = a[0]->to_string();
  bool load = !(count == 2 && a[1] == Name::intern("noLoad"));
  root()->AddNewXRefFile(file, load);
  return new XRefSceneValue(root()->XRefFileId(root()->GetXRefFileCount() - 1));
}

Value* get_xref_file_count_cf(Value**, int count) {
  check_arg_count("getXRefFileCount", 0, count);
  return Integer::intern(root()->GetXRefFileCount());
}

// xrefs.getXRefFile <index>: 1-based; undefined outside the list.
Value* get_xref_file_cf(Value** a, int count) {
  check_arg_count("getXRefFile", 1, count);
  int i = a[0]->to_int();
  if (i < 1 || i > root()->GetXRefFileCount()) return &undefined;
  return new XRefSceneValue(root()->XRefFileId(i - 1));
}

Value* delete_all_xrefs_cf(Value**, int count) {
  check_arg_count("deleteAllXRefs", 0, count);
  while (root()->GetXRefFileCount() > 0) root()->DeleteXRefFile(0);
  return &ok;
}

Primitive add_new_xref_file_pf("addNewXRefFile", "xrefs", add_new_xref_file_cf);
Primitive get_xref_file_count_pf("getXRefFileCount", "xrefs", get_xref_file_count_cf);
Primitive get_xref_file_pf("getXRefFile", "xrefs", get_xref_file_cf);
Primitive delete_all_xrefs_pf("deleteAllXRefs", "xrefs", delete_all_xrefs_cf);

}  // namespace
