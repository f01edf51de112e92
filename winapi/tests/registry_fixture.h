// Each registry test gets a database of its own in a temporary folder.
#pragma once

#include <windows.h>

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    database_ = dir_.file("registry.db");
    setenv("WINAPI_REGISTRY", database_.c_str(), 1);
    setenv("WINAPI_REGISTRY_BUSY_MS", "5000", 1);
  }
  void TearDown() override { unsetenv("WINAPI_REGISTRY"); }

  // Writes a string value, creating the key; returns the call's result.
  static LONG write_string(HKEY root, const char* path, const char* name, const std::string& text) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return rc;
  }

  // Reads a string value; "<error N>" when a call fails.
  static std::string read_string(HKEY root, const char* path, const char* name) {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key);
    if (rc != ERROR_SUCCESS) return "<error " + std::to_string(rc) + ">";
    DWORD type = 0, size = 0;
    rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    std::string text(size, '\0');
    if (rc == ERROR_SUCCESS) {
      rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    }
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return "<error " + std::to_string(rc) + ">";
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
  }

  test_support::TempDir dir_;
  std::string database_;
};
