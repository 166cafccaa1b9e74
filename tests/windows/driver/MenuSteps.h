#pragma once
#include <windows.h>

#include <string>

// The driver's steps on the main window's context menu and on the small
// windows it opens:
//   menu=N                opens the context menu and chooses its Nth item, by the keyboard
//   fill=TITLE=ID=TEXT    puts TEXT into the edit field ID of the window TITLE
//   press=TITLE=TEXT      presses the button that says TEXT in the window TITLE
// Gives "" when done, else why not.
std::string menuStep(const std::string& verb, const std::string& arg, HWND mainWindow);
bool isMenuStep(const std::string& verb);
