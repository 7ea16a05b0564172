// Resource identifiers shared by the resource script and the program.
#pragma once

#define IDI_APP 1              // the program's icon: the .exe's, the title bar's and the task bar's
#define IDI_GLOBE 101          // Command2's picture
#define IDI_FOLDER_SEARCH 102  // Command1's picture
