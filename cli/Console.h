#pragma once
// What the tool needs from the system's console and command line, on every system alike.
#include <string>
#include <vector>

// Makes standard output and error write the tool's bytes as they are (UTF-8 text with LF line ends), and
// a console show them as UTF-8.
void PrepareConsole();

// The command-line arguments as UTF-8 text, whatever the system's code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);
