#include "ui/shell/AppEntry.h"

int main(int argc, char** argv) { return korvex::RunApplication(argc, argv); }
