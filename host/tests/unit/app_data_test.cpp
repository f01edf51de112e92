// App data chunks on scene objects: keys, order, duplicates, ownership, and
// the XRef list of a node.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "host/animatable.h"
#include "host/core_interface.h"
#include "host/triobject.h"

namespace {

void* bytes(const char* text) {
  std::size_t n = std::strlen(text) + 1;
  void* p = std::malloc(n);
  std::memcpy(p, text, n);
  return p;
}

const char* text_of(AppDataChunk* c) { return c != nullptr ? static_cast<const char*>(c->data) : "(none)"; }

TEST(AppData, KeysAreClassIdSuperClassAndSubIdTogether) {
  TriObject object;
  object.AddAppDataChunk(Class_ID(1, 2), 3, 4, 2, bytes("a"));
  object.AddAppDataChunk(Class_ID(1, 2), 3, 5, 2, bytes("b"));
  object.AddAppDataChunk(Class_ID(1, 9), 3, 4, 2, bytes("c"));
  object.AddAppDataChunk(Class_ID(1, 2), 8, 4, 2, bytes("d"));
  EXPECT_STREQ(text_of(object.GetAppDataChunk(Class_ID(1, 2), 3, 4)), "a");
  EXPECT_STREQ(text_of(object.GetAppDataChunk(Class_ID(1, 2), 3, 5)), "b");
  EXPECT_STREQ(text_of(object.GetAppDataChunk(Class_ID(1, 9), 3, 4)), "c");
  EXPECT_STREQ(text_of(object.GetAppDataChunk(Class_ID(1, 2), 8, 4)), "d");
  EXPECT_EQ(object.GetAppDataChunk(Class_ID(2, 1), 3, 4), nullptr);
}

TEST(AppData, ChunksUnderOneKeyStayInTheOrderAddedAndGoOneAtATime) {
  TriObject object;
  object.AddAppDataChunk(Class_ID(1, 2), 3, 4, 6, bytes("first"));
  object.AddAppDataChunk(Class_ID(7, 7), 7, 7, 6, bytes("other"));
  object.AddAppDataChunk(Class_ID(1, 2), 3, 4, 7, bytes("second"));
  ASSERT_EQ(object.NumAppDataChunks(), 3);
  {
    AppDataLock lock;
    EXPECT_STREQ(text_of(object.GetAppDataChunkByIndex(0)), "first");
    EXPECT_STREQ(text_of(object.GetAppDataChunkByIndex(2)), "second");
    EXPECT_EQ(object.GetAppDataChunkByIndex(3), nullptr);
    EXPECT_EQ(object.GetAppDataChunkByIndex(-1), nullptr);
  }
  EXPECT_STREQ(text_of(object.GetAppDataChunk(Class_ID(1, 2), 3, 4)), "first");
  EXPECT_TRUE(object.RemoveAppDataChunk(Class_ID(1, 2), 3, 4));
  EXPECT_STREQ(text_of(object.GetAppDataChunk(Class_ID(1, 2), 3, 4)), "second");
  EXPECT_TRUE(object.RemoveAppDataChunk(Class_ID(1, 2), 3, 4));
  EXPECT_FALSE(object.RemoveAppDataChunk(Class_ID(1, 2), 3, 4));
  EXPECT_EQ(object.NumAppDataChunks(), 1);
  object.ClearAllAppData();
  EXPECT_EQ(object.NumAppDataChunks(), 0);
  // Chunks left on an object are freed with it (the sanitizer build checks).
  object.AddAppDataChunk(Class_ID(1, 2), 3, 4, 0, nullptr);
  object.AddAppDataChunk(Class_ID(1, 2), 3, 4, 6, bytes("kept"));
}

TEST(XRefList, EntriesAreNamedAddedRenamedAndRemovedByIndex) {
  INode* root = GetCOREInterface()->GetRootNode();
  while (root->GetXRefFileCount() > 0) root->DeleteXRefFile(0);
  EXPECT_TRUE(root->AddNewXRefFile("/nonexistent/a.max"));
  EXPECT_TRUE(root->AddNewXRefFile("/nonexistent/b.max", FALSE));
  ASSERT_EQ(root->GetXRefFileCount(), 2);
  EXPECT_STREQ(root->GetXRefFile(1).data(), "/nonexistent/b.max");
  EXPECT_STREQ(root->GetXRefFile(2).data(), "");
  EXPECT_FALSE(root->SetXRefFile(2, "c.max", FALSE));
  EXPECT_FALSE(root->SetXRefFile(-1, "c.max", FALSE));
  // A file that exists resolves when reloaded, and not without the reload.
  const char* here = "/proc/self/status";
  EXPECT_TRUE(root->SetXRefFile(0, here, FALSE));
  EXPECT_FALSE(root->XRefFileResolved(0));
  EXPECT_TRUE(root->SetXRefFile(0, here, TRUE));
  EXPECT_TRUE(root->XRefFileResolved(0));
  int id_of_b = root->XRefFileId(1);
  EXPECT_TRUE(root->DeleteXRefFile(0));
  EXPECT_EQ(root->XRefFileId(0), id_of_b);
  EXPECT_FALSE(root->DeleteXRefFile(1));
  root->DeleteXRefFile(0);
}

}  // namespace
