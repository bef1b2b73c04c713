// The skin bitmap cache: one load per name, the "NotFound" box, freeing,
// integer ids, names or a cache that do not fit, and the atlas that holds
// every picture.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "controls/toolkit_frame.h"
#include "support/gui_object_counts.h"
#include "support/pixel_checks.h"
#include "support/toolkit_fixture.h"

namespace wintest {
namespace {

class SkinCacheTest : public ToolkitTest {
protected:
    static long GdiObjects() {
        const GuiObjectCount count = CountGdiObjects();
        EXPECT_GE(count.count, 0) << "no way to count GDI objects here";
        return count.count;
    }

    static int EntriesNamed(const char* name) {
        int count = 0;
        for (const SkinBitmapEntry& entry : skinBitmapCache) {
            if (std::strcmp(entry.name, name) == 0) {
                ++count;
            }
        }
        return count;
    }

    static std::vector<unsigned char> Snapshot() {
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(skinBitmapCache);
        return std::vector<unsigned char>(bytes, bytes + sizeof skinBitmapCache);
    }

    static bool AllFree() {
        for (const SkinBitmapEntry& entry : skinBitmapCache) {
            if (entry.name[0] != '\0' || entry.image) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(SkinCacheTest, EightRequestsLoadTheBitmapOnceAndShareOneHandle) {
    const long before = GdiObjects();
    const SkinImage first = LoadSkinBitmap(instance(), "btn_on");
    ASSERT_NE(nullptr, first.bitmap);
    EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(first.bitmap)));
    for (int request = 1; request < 8; ++request) {
        EXPECT_EQ(first, LoadSkinBitmap(instance(), "btn_on")) << "request " << request;
    }
    EXPECT_EQ(before + 1, GdiObjects()) << "one bitmap object for eight requests";
    EXPECT_EQ(1, EntriesNamed("btn_on"));
    EXPECT_TRUE(boxes().boxes().empty());
}

TEST_F(SkinCacheTest, NamesAreComparedExactlyButResourcesFoundInAnyCase) {
    const long before = GdiObjects();
    const SkinImage lower = LoadSkinBitmap(instance(), "btn_off");
    const SkinImage upper = LoadSkinBitmap(instance(), "BTN_OFF");
    ASSERT_NE(nullptr, lower.bitmap);
    ASSERT_NE(nullptr, upper.bitmap);
    EXPECT_NE(lower, upper) << "loaded twice, to two places";
    EXPECT_EQ(before + 1, GdiObjects()) << "one atlas holds both";
    EXPECT_EQ(1, EntriesNamed("btn_off"));
    EXPECT_EQ(1, EntriesNamed("BTN_OFF"));
}

struct Request {
    const char* name;
    bool loads;     // a bitmap comes back
    bool showsBox;  // a "NotFound" box names it
};

TEST_F(SkinCacheTest, AMissingNameShowsOneBoxUntilItsEntryIsReused) {
    const Request requests[] = {
        {"missing_a", false, true},                               // first time: the box
        {"missing_a", false, false},                              // asked again at once: silent
        {"missing_a", false, false}, {"missing_b", false, true},  // another new name takes over the entry...
        {"missing_a", false, true},                               // ...so the first one is reported again
        {"missing_a", false, false}, {"btn_on", true, false},     // a good new name also takes the entry
        {"missing_a", false, true},  {"btn_on", true, false},     // a cached name never disturbs it
        {"missing_a", false, false},
    };
    for (const Request& request : requests) {
        boxes().clear();
        const SkinImage picture = LoadSkinBitmap(instance(), request.name);
        EXPECT_EQ(request.loads, picture.bitmap != nullptr) << request.name;
        const std::vector<SeenMessageBox> seen = boxes().boxes();
        ASSERT_EQ(request.showsBox ? 1u : 0u, seen.size()) << request.name;
        if (request.showsBox) {
            EXPECT_EQ("NotFound", seen[0].caption);
            EXPECT_EQ(request.name, seen[0].text);
        }
    }
}

TEST_F(SkinCacheTest, FreeingEmptiesEveryEntryAndTheNextRequestLoadsAnew) {
    const long empty = GdiObjects();
    for (const char* name : {"btn_on", "btn_off", "id1", "fs_on"}) {
        ASSERT_NE(nullptr, LoadSkinBitmap(instance(), name).bitmap) << name;
    }
    LoadSkinBitmap(instance(), "missing_name");
    ASSERT_EQ(empty + 1, GdiObjects()) << "one atlas for the four";

    FreeSkinBitmaps();
    EXPECT_TRUE(AllFree());
    EXPECT_EQ(empty, GdiObjects()) << "every cached bitmap deleted";

    const SkinImage again = LoadSkinBitmap(instance(), "btn_on");
    ASSERT_NE(nullptr, again.bitmap);
    EXPECT_EQ(OBJ_BITMAP, static_cast<int>(GetObjectType(again.bitmap)));
    EXPECT_EQ(empty + 1, GdiObjects()) << "loaded anew";
    EXPECT_EQ(1, EntriesNamed("btn_on"));
}

TEST_F(SkinCacheTest, ANameOf31CharactersFitsAnEntry) {
    const std::string name = "a_skin_name_of_31_characters_xx";
    ASSERT_EQ(31u, name.size());
    EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), name.c_str()).bitmap);
    ASSERT_EQ(1u, boxes().boxes().size());
    EXPECT_EQ(name, boxes().boxes()[0].text) << "the whole name, not cut";
    EXPECT_EQ(1, EntriesNamed(name.c_str()));

    boxes().clear();
    EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), name.c_str()).bitmap);
    EXPECT_TRUE(boxes().boxes().empty()) << "found again by its full name";
}

TEST_F(SkinCacheTest, LongerNamesAreNeverStoredNorMistakenForAShorterOne) {
    // An entry holding a bitmap under a 31-character name...
    const std::string stored = "a_skin_name_of_31_characters_xx";
    HBITMAP own = CreateBitmap(4, 4, 1, 32, nullptr);
    ASSERT_NE(nullptr, own);
    std::memcpy(skinBitmapCache[0].name, stored.c_str(), stored.size() + 1);
    skinBitmapCache[0].image = own;
    const std::vector<unsigned char> before = Snapshot();
    const long objects = GdiObjects();

    // ...is not what a longer name sharing those 31 characters gets.
    for (const std::string& name : {stored + "y", stored + "_and_much_more", std::string(400, 'n')}) {
        EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), name.c_str()).bitmap) << name;
    }
    EXPECT_TRUE(before == Snapshot()) << "no entry written";
    EXPECT_EQ(objects, GdiObjects()) << "nothing loaded";
    EXPECT_TRUE(boxes().boxes().empty());
    EXPECT_EQ(own, LoadSkinBitmap(instance(), stored.c_str()).bitmap);
}

TEST_F(SkinCacheTest, AFullCacheAnswersAMissWithNoneAndLoadsNothing) {
    for (int i = 0; i < kSkinBitmapCacheSize; ++i) {
        std::snprintf(skinBitmapCache[i].name, sizeof skinBitmapCache[i].name, "filler%d", i);
        skinBitmapCache[i].image = CreateBitmap(2, 2, 1, 32, nullptr);
        ASSERT_NE(nullptr, skinBitmapCache[i].image.bitmap);
    }
    const std::vector<unsigned char> before = Snapshot();
    const long objects = GdiObjects();

    EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), "btn_on").bitmap);
    EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), MAKEINTRESOURCEA(129)).bitmap);
    EXPECT_EQ(objects, GdiObjects()) << "no bitmap loaded and left without owner";
    EXPECT_TRUE(before == Snapshot());
    EXPECT_TRUE(boxes().boxes().empty());
    // Names already held are still served.
    EXPECT_EQ(skinBitmapCache[200].image, LoadSkinBitmap(instance(), "filler200"));

    FreeSkinBitmaps();  // deletes the fillers too
    EXPECT_EQ(objects - kSkinBitmapCacheSize, GdiObjects());
}

TEST_F(SkinCacheTest, IntegerIdsAreKeysOfTheirOwn) {
    const long before = GdiObjects();
    const SkinImage pressedOff = LoadSkinBitmap(instance(), MAKEINTRESOURCEA(129));
    const SkinImage pressedOn = LoadSkinBitmap(instance(), MAKEINTRESOURCEA(132));
    ASSERT_NE(nullptr, pressedOff.bitmap);
    ASSERT_NE(nullptr, pressedOn.bitmap);
    EXPECT_NE(pressedOff, pressedOn);
    EXPECT_EQ(pressedOff, LoadSkinBitmap(instance(), MAKEINTRESOURCEA(129)));
    EXPECT_EQ(pressedOff, LoadSkinBitmap(instance(), "#129")) << "the same resource by its number";
    EXPECT_EQ(before + 1, GdiObjects()) << "one atlas holds both";
    EXPECT_EQ(1, EntriesNamed("#129"));
    EXPECT_EQ(1, EntriesNamed("#132"));

    // The cached bitmap is resource 129 itself.
    HBITMAP reference = LoadBitmapA(instance(), MAKEINTRESOURCEA(129));
    ASSERT_NE(nullptr, reference);
    EXPECT_EQ("", FirstDifference(ReadBitmap(pressedOff, 1000, 1000), ReadBitmap(reference, 1000, 1000)));
    DeleteObject(reference);

    EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), MAKEINTRESOURCEA(4000)).bitmap);
    ASSERT_EQ(1u, boxes().boxes().size());
    EXPECT_EQ("#4000", boxes().boxes()[0].text);
}

BOOL CALLBACK KeepBitmapName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    auto* list = reinterpret_cast<std::vector<std::string>*>(names);
    list->push_back(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<UINT_PTR>(name)) : name);
    return TRUE;
}

TEST_F(SkinCacheTest, EveryPictureOfTheSkinReadsInTheAtlasAsItsResourceDoes) {
    std::vector<std::string> names;
    EnumResourceNamesA(instance(), MAKEINTRESOURCEA(2), KeepBitmapName, reinterpret_cast<LONG_PTR>(&names));
    ASSERT_GE(names.size(), 80u);
    // All of them first, so that each shares the atlas with all the others.
    std::vector<SkinImage> pictures;
    for (const std::string& name : names) pictures.push_back(LoadSkinBitmap(instance(), name.c_str()));
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_TRUE(IsSkinAtlas(pictures[i].bitmap)) << "every picture of the skin goes into the atlas";
        HBITMAP own = static_cast<HBITMAP>(LoadImageA(instance(), names[i].c_str(), IMAGE_BITMAP, 0, 0, 0));
        ASSERT_NE(nullptr, own);
        const SkinImage whole(own);
        EXPECT_EQ(whole.size.cx, pictures[i].size.cx);
        EXPECT_EQ(whole.size.cy, pictures[i].size.cy);
        EXPECT_EQ("", FirstDifference(ReadBitmap(pictures[i], 1000, 1000), ReadBitmap(whole, 1000, 1000)));
        DeleteObject(own);
    }
    EXPECT_TRUE(boxes().boxes().empty());
}

TEST_F(SkinCacheTest, NoNameAtAllIsRefusedQuietly) {
    const std::vector<unsigned char> before = Snapshot();
    EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), nullptr).bitmap);
    EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), "").bitmap);
    EXPECT_TRUE(before == Snapshot());
    EXPECT_TRUE(boxes().boxes().empty());
}

// Requests made from inside the "NotFound" box's own message loop, as a
// control repainting meanwhile would make them: the box's loop passes its
// messages through this thread's message filter hook.
struct RequestsDuringTheBox {
    SkinImage missingAgain = reinterpret_cast<HBITMAP>(1);
    SkinImage loaded = {};
    int made = 0;
};
RequestsDuringTheBox duringTheBox;

LRESULT CALLBACK RequestWhileTheBoxIsUp(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && duringTheBox.made++ == 0) {
        duringTheBox.missingAgain = LoadSkinBitmap(GetModuleHandleA(nullptr), "no_such_face");
        duringTheBox.loaded = LoadSkinBitmap(GetModuleHandleA(nullptr), "btn_on");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SkinCacheTest, RequestsWhileTheBoxIsUpShowNoSecondBoxAndLoseNoEntry) {
    duringTheBox = RequestsDuringTheBox{};
    HHOOK hook = SetWindowsHookExA(WH_MSGFILTER, RequestWhileTheBoxIsUp, nullptr, GetCurrentThreadId());
    EXPECT_EQ(nullptr, LoadSkinBitmap(instance(), "no_such_face").bitmap);
    UnhookWindowsHookEx(hook);
    ASSERT_GE(duringTheBox.made, 1) << "the box's loop ran the requests";
    EXPECT_EQ(nullptr, duringTheBox.missingAgain.bitmap);
    ASSERT_NE(nullptr, duringTheBox.loaded.bitmap);
    EXPECT_EQ(1u, boxes().boxes().size()) << "one box for the name";
    // The failed name's entry was free for the new name, which keeps it.
    EXPECT_EQ(duringTheBox.loaded, LoadSkinBitmap(instance(), "btn_on")) << "its entry is kept";
}

}  // namespace
}  // namespace wintest
