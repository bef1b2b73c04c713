#include "gallery/gallery_options.h"

const char kGalleryUsage[] =
    "gallery.exe: one control of each of the toolkit's fifteen classes, live\n"
    "\n"
    "  --events FILE      write every notification that reaches the gallery to FILE,\n"
    "                     one line each as it arrives: \"<id> COMMAND <code>\",\n"
    "                     \"<id> VSCROLL <code> <pos>\", \"<id> HSCROLL <code> <pos>\"\n"
    "                     or \"<id> DBLCLK\"\n"
    "  --draw-trace FILE  write every call of the toolkit's drawing trace to FILE,\n"
    "                     one call a line\n"
    "  --ready-event NAME set the named event (made by whoever starts the gallery)\n"
    "                     once every control has been created and shown\n"
    "  --help             show this text\n"
    "\n"
    "Closing the window ends the gallery.\n";

bool ParseGalleryOptions(const std::vector<std::string>& words, GalleryOptions* options, std::string* error) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        std::string* value = nullptr;
        if (word == "--events") {
            value = &options->eventsFile;
        } else if (word == "--draw-trace") {
            value = &options->drawTraceFile;
        } else if (word == "--ready-event") {
            value = &options->readyEvent;
        } else if (word == "--help" || word == "-h" || word == "/?") {
            options->help = true;
            continue;
        } else {
            *error = "unknown option " + word;
            return false;
        }
        if (i + 1 >= words.size() || words[i + 1].empty()) {
            *error = word + " takes a value";
            return false;
        }
        *value = words[++i];
    }
    return true;
}
