#pragma once

// The suites of ui_overview_tests; main runs them all.
int RunOverviewTests(int argc, char** argv);
int RunPreviewTests(int argc, char** argv);
int RunKeyLabelsTests(int argc, char** argv);
