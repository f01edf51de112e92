#include "module_registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Outcome = ModuleRegistry::Outcome;

TEST(ModuleRegistryRecords, SignatureThenHelpPairUp) {
  ModuleRegistry r;
  EXPECT_EQ(r.add_record("QVXTFirst.dlx 1.0"), Outcome::signature_added);
  EXPECT_EQ(r.add_record("HELPfirst help\n"), Outcome::help_added);
  EXPECT_EQ(r.add_record("QVXTSecond.dlx 2.0"), Outcome::signature_added);
  ASSERT_EQ(r.count(), 2);
  EXPECT_EQ(r.signature(0), "First.dlx 1.0");
  EXPECT_EQ(r.signature(1), "Second.dlx 2.0");
  ASSERT_NE(r.help(0), nullptr);
  EXPECT_EQ(*r.help(0), "first help\n");
  EXPECT_EQ(r.help(1), nullptr);  // the second module sent no help
}

TEST(ModuleRegistryRecords, TagsAreExactAndCaseSensitive) {
  ModuleRegistry r;
  EXPECT_EQ(r.add_record("qvxtLower"), Outcome::not_a_record);
  EXPECT_EQ(r.add_record("QVXt"), Outcome::not_a_record);
  EXPECT_EQ(r.add_record("xQVXT"), Outcome::not_a_record);
  EXPECT_EQ(r.add_record("QVX"), Outcome::not_a_record);  // shorter than a tag
  EXPECT_EQ(r.add_record(""), Outcome::not_a_record);
  EXPECT_EQ(r.count(), 0);
  EXPECT_EQ(r.add_record("QVXT"), Outcome::signature_added);  // an empty signature is still one
  EXPECT_EQ(r.signature(0), "");
}

TEST(ModuleRegistryRecords, HelpBeforeAnySignatureIsIgnored) {
  ModuleRegistry r;
  EXPECT_EQ(r.add_record("HELPorphan"), Outcome::help_without_module);
  EXPECT_EQ(r.count(), 0);
  r.add_record("QVXTm");
  EXPECT_EQ(r.help(0), nullptr);
}

TEST(ModuleRegistryRecords, LaterHelpReplacesEarlierForTheSameModule) {
  ModuleRegistry r;
  r.add_record("QVXTm");
  r.add_record("HELPone");
  r.add_record("HELPtwo");
  EXPECT_EQ(*r.help(0), "two");
}

TEST(ModuleRegistryBounds, SignaturesBeyondTheTableAreRefused) {
  ModuleRegistry r;
  for (int i = 0; i < ModuleRegistry::kCapacity; ++i) {
    std::string record = "QVXTmodule " + std::to_string(i);
    ASSERT_EQ(r.add_record(record.c_str()), Outcome::signature_added);
    ASSERT_EQ(r.add_record(("HELPhelp " + std::to_string(i)).c_str()), Outcome::help_added);
  }
  EXPECT_EQ(r.add_record("QVXTone too many"), Outcome::table_full);
  // The refused module's help must not land on the last stored one.
  EXPECT_EQ(r.add_record("HELPstray"), Outcome::help_without_module);
  EXPECT_EQ(r.count(), ModuleRegistry::kCapacity);
  EXPECT_EQ(r.signature(ModuleRegistry::kCapacity - 1), "module 1999");
  EXPECT_EQ(*r.help(ModuleRegistry::kCapacity - 1), "help 1999");
}

}  // namespace
