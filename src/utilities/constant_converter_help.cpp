// The texts the converter's input tabs open with. Their prose lines are no definitions, so a
// conversion keeps them as comments; the examples at the end show what the tool does.

#include "utilities/constant_converter.h"

namespace trawlex::utilities {

const char* const kDefineHelpText =
    "Place your C Code with your #define's in the #Define tab and press Convert to Equates.\r\n"
    "Every #define line becomes a Veldar EQUATE() line on the Equate() tab, and each block\r\n"
    "of a typedef enum becomes an ITEMIZE structure. Hexadecimal numbers, type suffixes and\r\n"
    "string escapes are written the Veldar way. Other lines are kept as comments; check\r\n"
    "Assume All to take every line as a definition even without its #define.\r\n"
    "Paste brings in the clipboard, Do C Def pastes and converts in one step.\r\n"
    "\r\n"
    "Examples, converted as they stand:\r\n"
    "\r\n"
    "#define FILE_FLAG_WRITE_THROUGH         0x80000000\r\n"
    "#define FILE_FLAG_OVERLAPPED            0x40000000   // asynchronous I/O\r\n"
    "#define MAX_PATH                        260\r\n"
    "typedef enum _FINDEX_SEARCH_OPS {\r\n"
    "    FindExSearchNameMatch,\r\n"
    "    FindExSearchLimitToDirectories,\r\n"
    "    FindExSearchLimitToDevices,\r\n"
    "    FindExSearchMaxSearchOp\r\n"
    "} FINDEX_SEARCH_OPS;\r\n";

const char* const kVbHelpText =
    "Place your VB Code with your CONST lines in the VB Const tab and press Convert to\r\n"
    "Equates. Every Const line, with or without Public, Private or Global before it, becomes\r\n"
    "a Veldar EQUATE() line on the Equate() tab. Other lines are kept as comments; check\r\n"
    "Assume All to take every line as a constant even without its Const.\r\n"
    "Paste brings in the clipboard, Do VB pastes and converts in one step.\r\n"
    "\r\n"
    "Examples, converted as they stand:\r\n"
    "\r\n"
    "Public Const WM_LBUTTONDOWN As Long = &H201&\r\n"
    "Private Const MAX_PATH = 260   ' longest path\r\n"
    "Const APP_TITLE As String = \"Trawlex \"\"Demo\"\"\"\r\n";

}  // namespace trawlex::utilities
