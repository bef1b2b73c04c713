#include "controls/skin_atlas_packing.h"
#include "controls/skin_cache_key.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

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

// ---- Where the atlas puts each picture --------------------------------------

struct Placed {
    int x, y, width, height;
};

bool Overlap(const Placed& a, const Placed& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Pictures of any size, in any order: each one placed lies inside the atlas,
// on a column boundary, and overlaps no other (its pixels would be copied
// over another's).
RC_GTEST_PROP(AtlasPackingTest, PlacedPicturesLieInsideAndNeverOverlap, ()) {
    const int width = *rc::gen::inRange(1, 65).as("columns") * kAtlasColumnPixels;
    const int height = *rc::gen::inRange(1, 300).as("rows");
    const auto sizes = *rc::gen::container<std::vector<std::pair<int, int>>>(
        rc::gen::pair(rc::gen::inRange(-2, 120), rc::gen::inRange(-2, 90)));
    AtlasPacking atlas(width, height);
    std::vector<Placed> placed;
    for (const auto& size : sizes) {
        int x = -1, y = -1;
        const bool fitsEmpty = size.first > 0 && size.second > 0 && size.first <= width && size.second <= height;
        if (!atlas.Place(size.first, size.second, &x, &y)) {
            // An empty atlas takes every picture that fits it at all.
            RC_ASSERT(!(fitsEmpty && placed.empty()));
            continue;
        }
        RC_ASSERT(fitsEmpty);
        const Placed now = {x, y, size.first, size.second};
        RC_ASSERT(x >= 0 && y >= 0 && x + now.width <= width && y + now.height <= height);
        RC_ASSERT(x % kAtlasColumnPixels == 0);
        for (const Placed& other : placed) RC_ASSERT(!Overlap(now, other));
        placed.push_back(now);
        RC_ASSERT(atlas.UsedHeight() >= y + now.height);
    }
}

// The whole skin as the desk asks for it fits the desk's atlas with room to
// spare: the panel's faces, strips and backgrounds at their real sizes.
TEST(AtlasPackingTest, TheSkinFitsTheAtlasTightly) {
    // {width, height, how many}
    const int skin[][3] = {{339, 254, 1}, {339, 100, 1}, {234, 7, 1}, {123, 15, 16}, {17, 15, 2}, {72, 15, 4},
                           {19, 53, 4},   {110, 15, 8},  {44, 31, 2}, {40, 21, 10},  {25, 31, 4}, {60, 18, 20}};
    AtlasPacking atlas(512, 1024);
    long pixels = 0;
    for (const auto& kind : skin) {
        for (int i = 0; i < kind[2]; ++i) {
            int x = 0, y = 0;
            ASSERT_TRUE(atlas.Place(kind[0], kind[1], &x, &y)) << kind[0] << " x " << kind[1];
            EXPECT_EQ(x % 4, 0) << "a picture starts on a word of its rows";
            pixels += static_cast<long>(kind[0]) * kind[1];
        }
    }
    // The rows in use hold the pictures with little room between them.
    EXPECT_LE(atlas.UsedHeight() * 512L, pixels * 3 / 2) << atlas.UsedHeight() << " rows";
}

// The widest atlas there is holds a picture as wide as itself; a wider
// atlas takes nothing rather than run past the skyline it keeps.
TEST(AtlasPackingTest, AtlasesUpTo1024PixelsWide) {
    int x = -1, y = -1;
    AtlasPacking widest(1024, 8);
    EXPECT_TRUE(widest.Place(1024, 8, &x, &y));
    EXPECT_EQ(x, 0);
    AtlasPacking tooWide(1025, 8);  // the first width too wide
    EXPECT_FALSE(tooWide.Place(4, 4, &x, &y));
}

}  // namespace
