// What happens to the stand-in's cards from outside the desk: the machine's
// standby cuts their power, and the driver posts its routing notification
// when a test asks for one.
#pragma once

#include <string>

class SimDriverLink;

// Watches the desk's main window from its own thread (the one that loads
// the stand-in): once the window has handled a suspend, the cards lose
// power, as desk-sim.exe's do; once the window is gone, the timecode stops
// going out and the state file is written a last time.
void WatchDeskWindow(SimDriverLink* driver);

// From a thread of the stand-in's own, as the driver posts it: for each line
// "routing COLUMN SET ROW ON" that appears in `requests` (a test writes the
// file whole and moves it into place), WM_ROUTING_NOTIFY goes to the window
// named in that column's block. The file is deleted once read.
void StartRoutingRequests(const std::string& requests, SimDriverLink* driver, void (*fail)(const char* what));
