#pragma once
// Switches on the main window's test controls once a student has signed in.
namespace windows {

// Enables the print commands, the Start button, the personal-data buttons, the question and answer
// controls, the counters and the answer check boxes of the main window.
void EnableMain();

}  // namespace windows
