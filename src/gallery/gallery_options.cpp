#include "gallery/gallery_options.h"

const ProgramHelp& GalleryProgramHelp() {
    static const ProgramHelp help = {
        "gallery.exe",
        "one control of each of the toolkit's fifteen classes, live",
        {
            {"--events FILE",
             "write every notification that reaches the gallery to FILE, one line each as it arrives: \"<id> COMMAND "
             "<code>\", \"<id> VSCROLL <code> <pos>\", \"<id> HSCROLL <code> <pos>\" or \"<id> DBLCLK\""},
            {"--draw-trace FILE", "write every call of the toolkit's drawing trace to FILE, one call a line"},
            {"--ready-event NAME",
             "set the named event (made by whoever starts the gallery) once every control has been created and shown"},
            {"--help", "show this text"},
        },
        "Closing the window ends the gallery."};
    return help;
}

bool ParseGalleryOptions(const std::vector<std::string>& words, GalleryOptions* options, OptionError* error) {
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
            *error = {"unknown option " + word, word};
            return false;
        }
        if (i + 1 >= words.size() || words[i + 1].empty()) {
            *error = {word + " takes a value", word};
            return false;
        }
        *value = words[++i];
    }
    return true;
}
