#pragma once

// Test programs of the dialogs, run in turn by main().
int RunParamsTests(int argc, char** argv);
int RunStartupTests(int argc, char** argv);
int RunAboutTests(int argc, char** argv);
