#include "controls/skin_cache_key.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(SkinCacheKeyTest, ANameUpTo31CharactersIsItsOwnKey) {
    const std::string names[] = {"btn_on", "c", std::string(31, 'a'), "COAXIAL_ON"};
    for (const std::string& name : names) {
        char key[kSkinKeySize];
        ASSERT_TRUE(MakeSkinKeyFromName(name.c_str(), key)) << name;
        EXPECT_EQ(name, key);
    }
}

TEST(SkinCacheKeyTest, LongerNamesAreRefusedNotCutShort) {
    // Two names alike in their first 31 characters must never share a key.
    const std::string common(31, 'b');
    for (const std::string& name : {common + "1", common + "2", std::string(300, 'z')}) {
        char key[kSkinKeySize];
        std::memset(key, 'x', sizeof key);
        EXPECT_FALSE(MakeSkinKeyFromName(name.c_str(), key)) << name;
        EXPECT_STREQ("", key);
    }
}

TEST(SkinCacheKeyTest, AnEmptyOrMissingNameHasNoKey) {
    // An empty key is how the cache marks a free entry.
    char key[kSkinKeySize];
    EXPECT_FALSE(MakeSkinKeyFromName("", key));
    EXPECT_FALSE(MakeSkinKeyFromName(nullptr, key));
    EXPECT_STREQ("", key);
}

TEST(SkinCacheKeyTest, ALongNameIsNotReadPastTheLimit) {
    // 32 characters and no terminator: reading one more byte would be caught
    // by the address sanitizer.
    char unterminated[kSkinKeySize];
    std::memset(unterminated, 'q', sizeof unterminated);
    char key[kSkinKeySize];
    EXPECT_FALSE(MakeSkinKeyFromName(unterminated, key));
}

TEST(SkinCacheKeyTest, IntegerIdsGetNumberKeys) {
    struct Case {
        unsigned id;
        const char* key;
    };
    for (const Case& c : {Case{129, "#129"}, Case{132, "#132"}, Case{1, "#1"}, Case{65535, "#65535"}}) {
        char key[kSkinKeySize];
        MakeSkinKeyFromId(c.id, key);
        EXPECT_STREQ(c.key, key);
    }
}

}  // namespace
