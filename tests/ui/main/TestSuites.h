#pragma once

// Each suite runs its Qt Test class and returns its result; main runs them all.
int RunProgramStartTests(int argc, char** argv);
int RunKeypadTests(int argc, char** argv);
int RunMacroViewTests(int argc, char** argv);
int RunPicturesTests(int argc, char** argv);
