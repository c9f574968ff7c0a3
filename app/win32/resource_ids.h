// Resource identifiers of the program's pictures, icons and cursor.
#pragma once

#define IDI_HIVESWEEP 1
#define IDB_BANNER 101
#define IDB_STRIP 102
#define IDI_HOME 111
#define IDI_HELP 112
#define IDI_RESULTS 113
#define IDI_LIST 114
#define IDI_UNDO 115
#define IDC_HAND_PICTURE 121
