// How the skin bitmap cache names its entries, kept free of the window
// system so that the rules can be tested on their own.
#pragma once

// Room for a key: at most 31 characters and the terminator.
constexpr int kSkinKeySize = 32;

// Key of a bitmap asked for by name: the name itself. A name longer than 31
// characters is refused (returns false, `key` left empty): cut short it
// could be mistaken for another name sharing its first 31 characters, so
// such a name is never stored in the cache. An empty name is refused too,
// since an empty key marks a free entry.
bool MakeSkinKeyFromName(const char* name, char (&key)[kSkinKeySize]);

// Key of a bitmap asked for by integer resource id: "#" and the decimal id,
// the spelling by which the resource loader also finds it by name.
void MakeSkinKeyFromId(unsigned id, char (&key)[kSkinKeySize]);
