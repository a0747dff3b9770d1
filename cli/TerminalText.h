#pragma once

#include <string>
#include <string_view>

// text with every control character (C0, DEL and C1) written as \xNN, so that what a file holds (a section
// name, a macro name) can never move the cursor, clear the screen or retitle the terminal it is printed on.
// Each line the tool prints passes through here; UTF-8 letters stay as they are.
std::string TerminalText(std::string_view text);
