#include "panel/card_panel_words.h"

#include <cstring>

namespace {

// A control is found by its base id; a static bitmap, which has none, by its
// bitmap; the badge by being the badge.
struct WordsRow {
    uint16_t baseId;     // 0 for the static bitmaps and the badge
    const char* bitmap;  // the static bitmaps' only bitmap
    PanelWords words;
};

// clang-format off
const WordsRow kWords[] = {
    {kBaseCoaxial, nullptr, {"digital input", "coaxial", "Coaxial: the card listens to its coaxial digital input"}},
    {kBaseOptical, nullptr, {"digital input", "optical", "Optical: the card listens to its optical digital input"}},
    {kBaseFs, nullptr, {"fs mode", "fs", "fs: the card's digital clock signals run at the sample rate"}},
    {kBaseFs256, nullptr, {"fs mode", "256 fs", "256 fs: the card's digital clock signals run at 256 times the sample rate"}},
    {kBaseClockSource + 0, nullptr, {"clock source", "internal", "Internal: the card makes its own sample clock"}},
    {kBaseClockSource + 1, nullptr, {"clock source", "digital input", "Digital in: the card takes its sample clock from the digital input"}},
    {kBaseClockSource + 2, nullptr, {"clock source", "word clock", "Word clock: the card takes its sample clock from the word clock input"}},
    {kBaseClockSource + 3, nullptr, {"clock source", "external unit", "Tara unit: the card takes its sample clock from the external unit"}},
    {kBaseRouteA + 0, nullptr, {"routing set A", "outputs 1-2", "Routes set A to outputs 1-2; click again to leave set A unrouted"}},
    {kBaseRouteA + 1, nullptr, {"routing set A", "outputs 3-4", "Routes set A to outputs 3-4; click again to leave set A unrouted"}},
    {kBaseRouteA + 2, nullptr, {"routing set A", "outputs 5-6", "Routes set A to outputs 5-6; click again to leave set A unrouted"}},
    {kBaseRouteA + 3, nullptr, {"routing set A", "outputs 7-8", "Routes set A to outputs 7-8; click again to leave set A unrouted"}},
    {0, "out12_off", {"output routing", "outputs 1-2", "Outputs 1-2: routing set A's button at the left, set B's at the right"}},
    {0, "out34_off", {"output routing", "outputs 3-4", "Outputs 3-4: routing set A's button at the left, set B's at the right"}},
    {0, "out56_off", {"output routing", "outputs 5-6", "Outputs 5-6: routing set A's button at the left, set B's at the right"}},
    {0, "out78_off", {"output routing", "outputs 7-8", "Outputs 7-8: routing set A's button at the left, set B's at the right"}},
    {kBaseRouteB + 0, nullptr, {"routing set B", "outputs 1-2", "Routes set B to outputs 1-2; click again to leave set B unrouted"}},
    {kBaseRouteB + 1, nullptr, {"routing set B", "outputs 3-4", "Routes set B to outputs 3-4; click again to leave set B unrouted"}},
    {kBaseRouteB + 2, nullptr, {"routing set B", "outputs 5-6", "Routes set B to outputs 5-6; click again to leave set B unrouted"}},
    {kBaseRouteB + 3, nullptr, {"routing set B", "outputs 7-8", "Routes set B to outputs 7-8; click again to leave set B unrouted"}},
    {kBaseRoutingOff, nullptr, {"output routing", "routing off", "Off: turns all routing off; turn it off again and the routing comes back"}},
    {kBaseRate + 0, nullptr, {"sample rate", "32 kHz", "32 kHz: the card runs at 32000 Hz, chosen by hand (auto goes off)"}},
    {kBaseRate + 1, nullptr, {"sample rate", "44.1 kHz", "44.1 kHz: the card runs at 44100 Hz, chosen by hand (auto goes off)"}},
    {kBaseRate + 2, nullptr, {"sample rate", "48 kHz", "48 kHz: the card runs at 48000 Hz, chosen by hand (auto goes off)"}},
    {kBaseAutoRate, nullptr, {"sample rate", "automatic", "Auto: the card follows the sample rate it is given"}},
    {kBaseShowHide, nullptr, {"display", "timecode rows", "Timecode: opens or closes the timecode rows of every card"}},
    {kBaseHours, nullptr, {"timecode", "hours", "Hours of the generator's start time: click to count up, right-click for 0"}},
    {kBaseMinutes, nullptr, {"timecode", "minutes", "Minutes of the generator's start time: click to count up, right-click for 0"}},
    {kBaseSeconds, nullptr, {"timecode", "seconds", "Seconds of the generator's start time: click to count up, right-click for 0"}},
    {kBaseFrames, nullptr, {"timecode", "frames", "Frames of the generator's start time: click to count up, right-click for 0"}},
    {kBaseStart, nullptr, {"timecode", "start generator", "Start: the unit's generator runs from the time in the fields; click again to stop"}},
    {kBaseFrameRate + 0, nullptr, {"frame rate", "24 fps", "24 frames a second for the generator"}},
    {kBaseFrameRate + 1, nullptr, {"frame rate", "25 fps", "25 frames a second for the generator"}},
    {kBaseFrameRate + 2, nullptr, {"frame rate", "29.97 fps", "29.97 frames a second for the generator"}},
    {kBaseFrameRate + 3, nullptr, {"frame rate", "30 fps drop-frame", "30 frames a second, drop-frame, for the generator"}},
    {kBaseFrameRate + 4, nullptr, {"frame rate", "30 fps", "30 frames a second for the generator"}},
};
// clang-format on

const PanelWords kBadgeWords = {nullptr, "card number", "The card's number, in the order the driver found the cards"};

}  // namespace

const PanelWords* WordsOfRow(const PanelControlRow& row) {
    if (row.kind == ControlKind::CardBadge) return &kBadgeWords;
    for (const WordsRow& words : kWords) {
        const bool found =
            row.kind == ControlKind::StaticBitmap
                ? words.bitmap != nullptr && row.onBitmap != nullptr && std::strcmp(words.bitmap, row.onBitmap) == 0
                : words.bitmap == nullptr && words.baseId == row.baseId;
        if (found) return &words.words;
    }
    return nullptr;
}

std::string ReaderName(const PanelControlRow& row, int32_t card) {
    const PanelWords* words = WordsOfRow(row);
    if (words == nullptr || card < 0 || card >= kPanelColumns) return "";
    std::string name = "Card " + std::to_string(card + 1);
    if (words->group != nullptr) name = name + ", " + words->group + ", " + words->name;
    return name;
}
