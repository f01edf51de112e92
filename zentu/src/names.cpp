#include "names.h"

ZentuNames zentu_names;

const DWORD kChannelBits[13] = {0x1,  0x2,   0x4,   0x8,    0x10,  0x20,      0x40,
                                0x80, 0x100, 0x200, 0x2000, 0x400, 0x80000000};

void intern_zentu_names() {
  zentu_names.hkey_classes_root = Name::intern("HKEY_CLASSES_ROOT");
  zentu_names.hkey_current_config = Name::intern("HKEY_CURRENT_CONFIG");
  zentu_names.hkey_current_user = Name::intern("HKEY_CURRENT_USER");
  zentu_names.hkey_local_machine = Name::intern("HKEY_LOCAL_MACHINE");
  zentu_names.hkey_users = Name::intern("HKEY_USERS");
  zentu_names.playtype = Name::intern("playtype");
  zentu_names.nowait = Name::intern("nowait");
  zentu_names.wait = Name::intern("wait");
  static const char* const channel_texts[13] = {
      "TOPO_CHANNEL",     "GEOM_CHANNEL",        "TEXMAP_CHANNEL",      "MTL_CHANNEL",
      "SELECT_CHANNEL",   "SUBSEL_TYPE_CHANNEL", "DISP_ATTRIB_CHANNEL", "VERTCOLOR_CHANNEL",
      "GFX_DATA_CHANNEL", "DISP_APPROX_CHANNEL", "EXTENSION_CHANNEL",   "TM_CHANNEL",
      "GLOBMTL_CHANNEL"};
  for (int i = 0; i < 13; ++i) zentu_names.channels[i] = Name::intern(channel_texts[i]);
}
