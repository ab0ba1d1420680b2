// The caption slots and message keys of the text table, with their built-in English texts.
// "%1" in a built-in string stands for the gauge name.

#include "app/text_catalog.h"

namespace korvel {

const std::vector<CaptionSlot>& captionSlots() {
    static const std::vector<CaptionSlot> slots = {
        {Screen::FileTransfer, "IDD_DIALOG_TITLE_FILE_TRANSFER", "Data File Transfer"},
        {Screen::FileTransfer, "IDC_STATIC_HOSTPC", "Host PC"},
        {Screen::FileTransfer, "IDC_STATIC_GAGE", "Gage"},
        {Screen::FileTransfer, "IDC_BTN_GUAGE_DIR", "Refresh &Gage Files List"},
        {Screen::FileTransfer, "IDC_BTN_HOST_DIR", "Select &Directory"},
        {Screen::FileTransfer, "IDC_BTN_HOST_DIR_REFRESH", "&Refresh Directory"},
        {Screen::FileTransfer, "IDC_BTN_FILE_TO_GUAGE", "<< &Transfer <<"},
        {Screen::FileTransfer, "IDC_BTN_FILE_FROM_GUAGE", ">> Trans&fer >>"},
        {Screen::FileTransfer, "IDC_BTN_DATAVIEW", "Data &View"},
        {Screen::FileTransfer, "IDC_BTN_EXPORT", "E&xport"},
        {Screen::FileTransfer, "IDC_BTN_IMPORT", "&Import"},
        {Screen::FileTransfer, "IDC_BTN_PC_REPORT", "Re&port..."},
        {Screen::FileTransfer, "IDC_BTN_PC_WORKBOOK", "Export to &Workbook..."},
        {Screen::FileTransfer, "IDC_STATIC_TRANSFER_PROGRESS", "Transfer Progress:"},
        {Screen::FileTransfer, "IDC_STATIC_STATUS", "Status:"},
        {Screen::FileTransfer, "IDC_LIST_COL_NAME", "Name"},
        {Screen::FileTransfer, "IDC_LIST_COL_TYPE", "Type"},
        {Screen::FileTransfer, "IDC_LIST_COL_MODIFIED", "Modified"},
        {Screen::FileTransfer, "IDC_BTN_CANCEL_OPERATION", "Ca&ncel"},
        {Screen::SoftwareUpgrade, "IDD_DIALOG_TITLE_SOFTWAREUPGRADE", "Software Upgrade"},
        {Screen::SoftwareUpgrade, "IDC_BTN_SELECT_FILE", "&Select File to Download"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_GAGEMODEL", "Gage Model:"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_FILE", "File:"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_USER_INSTRUCTIONS_PART1", "Static"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_USER_INSTRUCTIONS_PART2", "Static"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_USER_INSTRUCTIONS_PART3", "Static"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_USER_INSTRUCTIONS_PART4", "Static"},
        {Screen::SoftwareUpgrade, "IDC_BTN_DOWNLOAD", "Start &Download"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_DL_PROGRESS", "Progress:"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_DL_STATUS", "Status"},
        {Screen::SoftwareUpgrade, "IDC_STATIC_STATUS_MSG", "Status"},
        {Screen::SoftwareUpgrade, "IDC_BTN_CANCEL_OPERATION", "Ca&ncel"},
        {Screen::Terminal, "IDD_DIALOG_TITLE_TERMINAL", "Terminal"},
        {Screen::Terminal, "IDC_STATIC_COMMAND", "&Command:"},
        {Screen::Terminal, "IDC_STATIC_RESPONSE", "&Response:"},
        {Screen::Terminal, "IDC_STATIC_SENT", "Sent"},
        {Screen::Terminal, "IDC_STATIC_BYTES", "bytes"},
        {Screen::Terminal, "IDC_STATIC_RECEIVED", "Received"},
        {Screen::Terminal, "IDC_STATIC_BYTES_RCV", "bytes"},
        {Screen::Terminal, "IDC_BTN_WRITEEP2", "&Write to EP2"},
        {Screen::Terminal, "IDC_BTN_START_READ", "&Start Read"},
        {Screen::Terminal, "IDC_BTN_STOP_READ", "Sto&p Read"},
        {Screen::Terminal, "IDC_BTN_CLEAR_RESPONSE", "Clear Response &Buffer"},
        {Screen::DataView, "IDD_DIALOG_TITLE_DATAVIEW", "Data View"},
        {Screen::DataView, "IDC_RADIO_ASCAN", "View A Scan"},
        {Screen::DataView, "IDC_RADIO_BSCAN", "View B Scan"},
        {Screen::DataView, "IDC_BTN_MIN", "&MIN"},
        {Screen::DataView, "IDC_BTN_COPY_ID_RECORDS", "Copy Id Rows to Clp&board"},
        {Screen::DataView, "IDC_STATIC_SETUP", "Setup"},
        {Screen::DataView, "IDC_STATIC_NOTES_LBL", "Notes"},
        {Screen::DataView, "IDC_BTN_COPY_GRPAH", "Copy Graph &to Clipboard"},
        {Screen::DataView, "IDC_BTN_PRINT_GRAPH", "Print &Graph"},
        {Screen::DataView, "IDC_BTN_PRINT", "&Print Page"},
        {Screen::DataView, "IDC_BTN_REPORT", "R&eport"},
        {Screen::DataView, "IDC_MENU_SAVE_GRAPH", "Save &Graph..."},
        {Screen::DataView, "IDC_MENU_SAVE_REPORT", "Save &Report as PDF..."},
        {Screen::DataView, "IDC_MENU_PRINT_REPORT", "&Print Report..."},
        {Screen::DataView, "IDC_MENU_SAVE_WORKBOOK", "Export to &Workbook..."},
        {Screen::DataView, "IDOK", "&Close"},
        {Screen::DataView, "IDC_BTN_SURVEY_MAP", "Survey M&ap"},
        {Screen::DataView, "IDC_BTN_SURVEY_COMPARE", "&Compare..."},
        {Screen::DataView, "IDC_BTN_SURVEY_THICKNESS", "Show T&hickness"},
        {Screen::DataView, "IDC_STATIC_SURVEY_LAYER", "Layer"},
        {Screen::DataView, "IDC_STATIC_SURVEY_READINGS", "Readings"},
        {Screen::DataView, "IDC_STATIC_SURVEY_HOLES", "Holes"},
        {Screen::DataView, "IDC_STATIC_SURVEY_MINIMUM", "Minimum"},
        {Screen::DataView, "IDC_STATIC_SURVEY_MAXIMUM", "Maximum"},
        {Screen::DataView, "IDC_STATIC_SURVEY_MEAN", "Mean"},
        {Screen::DataView, "IDC_STATIC_SURVEY_STDDEV", "Std. deviation"},
        {Screen::DataView, "IDC_STATIC_SURVEY_LOW_ALARMS", "Low alarms"},
        {Screen::DataView, "IDC_STATIC_SURVEY_LOW_WARNINGS", "Low warnings"},
        {Screen::DataView, "IDC_STATIC_SURVEY_HIGH_ALARMS", "High alarms"},
        {Screen::DataView, "IDC_STATIC_SURVEY_HIGH_WARNINGS", "High warnings"},
        {Screen::DataView, "IDC_STATIC_SURVEY_EARLIER", "Earlier survey"},
        {Screen::DataView, "IDC_STATIC_SURVEY_ELAPSED", "Time between surveys"},
        {Screen::DataView, "IDC_STATIC_SURVEY_DAYS", "days"},
        {Screen::DataView, "IDC_STATIC_SURVEY_YEARS", "years"},
        {Screen::DataView, "IDC_STATIC_SURVEY_NO_RATE",
         "No rate: the dates are equal, reversed or missing"},
        {Screen::DataView, "IDC_STATIC_SURVEY_MIN_THICKNESS", "Minimum thickness"},
        {Screen::DataView, "IDC_STATIC_SURVEY_SETUP_LOW_ALARM",
         "Low alarm of each reading's setup"},
        {Screen::DataView, "IDC_STATIC_SURVEY_LARGEST_LOSS", "Largest loss"},
        {Screen::DataView, "IDC_STATIC_SURVEY_LOSS_SINCE", "Loss since"},
        {Screen::DataView, "IDC_STATIC_SURVEY_RATE", "Largest rate per year"},
        {Screen::DataView, "IDC_STATIC_SURVEY_LIFE", "Shortest remaining life"},
        {Screen::DataView, "IDC_STATIC_SURVEY_HOLE", "Hole"},
        {Screen::DataView, "IDC_STATIC_SURVEY_LOW_ALARM", "Low alarm"},
        {Screen::DataView, "IDC_STATIC_SURVEY_WARNING", "Warning"},
        {Screen::DataView, "IDC_STATIC_SURVEY_HIGH_ALARM", "High alarm"},
        {Screen::DataView, "IDD_DIALOG_TITLE_SURVEY_COMPARE", "Compare with an Earlier Survey"},
        {Screen::DataView, "IDC_STATIC_VIEW_UNITS", "Units shown"},
        {Screen::DataView, "IDC_BTN_THINNEST", "Thi&nnest..."},
        {Screen::DataView, "IDD_DIALOG_TITLE_THINNEST", "Thinnest Locations"},
        {Screen::DataView, "IDC_STATIC_THINNEST_COUNT", "Lowest"},
        {Screen::DataView, "IDC_STATIC_THINNEST_LOCATION", "Location"},
        {Screen::DataView, "IDC_STATIC_THINNEST_THICKNESS", "Thickness"},
        {Screen::DataView, "IDC_STATIC_THINNEST_HINT",
         "Double-click a location to go to its reading."},
        {Screen::DataView, "IDC_MENU_NEW_SURVEY", "&New Survey from This..."},
        {Screen::DirectoryChooser, "IDD_DIALOG_TITLE_DIR", "Select Directory for Data Files"},
        {Screen::DirectoryChooser, "IDOK", "OK"},
        {Screen::DirectoryChooser, "IDCANCEL", "Cancel"},
        {Screen::Preferences, "IDD_DIALOG_TITLE_PREFERENCES", "Preferences"},
        {Screen::Preferences, "IDC_STATIC_LANGUAGE", "Language"},
        {Screen::FileMerge, "IDD_DIALOG_TITLE_FILEMERGE", "File Merge"},
        {Screen::FileMerge, "IDC_STATIC_MERGEFILES_SELECTFILE", "Select File"},
        {Screen::FileMerge, "IDC_BTN_HOST_DIR", "Select Directory"},
        {Screen::FileMerge, "IDC_BTN_HOST_DIR_REFRESH", "Refresh Directory"},
        {Screen::FileMerge, "IDC_STATIC_FIRST_FILE", "Select First File"},
        {Screen::FileMerge, "IDC_BTN_SEARCH_MATCHING_FILES", "Search Matching Files >>"},
        {Screen::FileMerge, "IDC_STATIC_MERGEFILES", "Merge Files"},
        {Screen::FileMerge, "IDC_STATIC_MERGED_FILE", "Enter name for merged file"},
        {Screen::FileMerge, "IDC_STATIC_OTHER_FILES", "Matching files"},
        {Screen::FileMerge, "IDC_BTN_MERGE_FILES", "Merge Selected Files"},
        {Screen::FileMerge, "IDC_LIST_COL_NAME", "Name"},
        {Screen::FileMerge, "IDC_LIST_COL_TYPE", "Type"},
        {Screen::FileMerge, "IDC_LIST_COL_MODIFIED", "Modified"},
        {Screen::FileCreate, "IDD_DIALOG_TITLE_FILECREATION", "File Create"},
        {Screen::FileCreate, "IDC_STATIC_SELECT_PRODUCT", "Select Product"},
        {Screen::FileCreate, "IDC_STATIC_FILENAME", "File Name"},
        {Screen::FileCreate, "IDC_STATIC_FILETYPE", "Type"},
        {Screen::FileCreate, "IDC_STATIC_SAVEMODE", "Save"},
        {Screen::FileCreate, "IDC_STATIC_START", "Start"},
        {Screen::FileCreate, "IDC_STATIC_END", "End"},
        {Screen::FileCreate, "IDC_STATIC_START_COL", "Start Col"},
        {Screen::FileCreate, "IDC_STATIC_END_COL", "End Col"},
        {Screen::FileCreate, "IDC_STATIC_START_ROW", "Start Row"},
        {Screen::FileCreate, "IDC_STATIC_END_ROW", "End Row"},
        {Screen::FileCreate, "IDC_STATIC_1ST_INC", "1st Inc"},
        {Screen::FileCreate, "IDC_STATIC_2ND_INC", "2nd Inc"},
        {Screen::FileCreate, "IDC_STATIC_START_ELEV", "Start Elev"},
        {Screen::FileCreate, "IDC_STATIC_END_ELEV", "End Elev"},
        {Screen::FileCreate, "IDC_STATIC_START_TUBE", "Start Tube"},
        {Screen::FileCreate, "IDC_STATIC_END_TUBE", "End Tube"},
        {Screen::FileCreate, "IDC_STATIC_START_TESTPTS", "Test Pts"},
        {Screen::FileCreate, "IDC_BTN_CREATEFILE", "&Create File"},
        {Screen::UserVelocity, "IDD_DIALOG_TITLE_USER_VELOCITY", "User Velocity"},
        {Screen::UserVelocity, "IDC_STATIC_VELOCITY1", "Velocity1"},
        {Screen::UserVelocity, "IDC_STATIC_VELOCITY2", "Velocity2"},
        {Screen::UserVelocity, "IDC_STATIC_UNITS1", "Units"},
        {Screen::UserVelocity, "IDC_STATIC_UNITS2", "Units"},
        {Screen::UserVelocity, "IDC_BTN_GET_VELOCITY", "Get Velocity"},
        {Screen::UserVelocity, "IDC_BTN_SET_VELOCITY", "Set Velocity"},
        {Screen::UserVelocity, "IDC_BTN_CANCEL_OPERATION", "Ca&ncel"},
    };
    return slots;
}

const std::vector<MessageEntry>& messageEntries() {
    static const std::vector<MessageEntry> entries = {
        {"IDS_ERR_USBOPEN", 102,
         "Error in initializing USB device.\n\nMake sure that %1 is ON and is connnected to USB "
         "port of your PC. Unplug and replug USB cable if failure continues."},
        {"IDS_ERR_USBOPEN_TIP", 0, ""},  // only used together with IDS_ERR_USBOPEN
        {"IDS_STATUS_GAGEREFRESHCOMPLETE", 103, "Gage directory file list refresh complete"},
        {"IDS_STATUS_GAGEREFRESHFAILURE", 104, "Gage directory file list refresh failed"},
        {"IDS_STR_FILESELECTTITLE", 105, "Select a File for Download"},
        {"IDS_ERR_SELECTBINFILE", 106, "Select a valid bin file to download for software upgrade"},
        {"IDS_ERR_FILEOPEN", 107, "Error opening file"},
        {"IDS_STATUS_UPGRADECOMPLETE", 109, "Software upgrade complete"},
        {"IDS_STATUS_UPGRADEFAILED", 110, "Software upgrade failed"},
        {"IDS_ERR_USBSEND", 111, "Error in writing command to USB device"},
        {"IDS_MSG_FILEEXISTS", 112, "File already exists. Do you want to overwrite?"},
        {"IDS_STATUS_BOOTLOADERCOMPLETE", 113, "Bootloader loaded"},
        {"IDS_STATUS_BOOTLOADERFAILED", 114, "Bootloader download failed"},
        {"IDS_STATUS_GAGERESPONSE", 115, "Failure received from Gage for command"},
        {"IDS_STATUS_GAGEERROR", 116,
         "Error reading response for INIT or No response received from Gage"},
        {"IDS_ERR_GAGESENDBUFF", 117, "Error in sending buffer to Gage"},
        {"IDS_STATUS_SENTBYTES", 118, "Sent bytes"},
        {"IDS_ERR_GAGE_TERMCOMMAND", 119, "TERM command returned error"},
        {"IDS_ERR_FILEDOWNLOAD", 120, "Failure in downloading file"},
        {"IDS_STATUS_TOTALSENTBYTES", 121, "Total sent bytes"},
        {"IDS_STATUS_FILE_EXPORT_COMPLETE", 123, "File export completed for file"},
        {"IDS_STATUS_FILE_EXPORT_NOTSUPPORTED", 124, "Export of this file type is not supported"},
        {"IDS_ERR_GAGE_WRITECOMMAND", 125,
         "Error reading response for Write command or No response received from Gage"},
        {"IDS_ERR_GAGE_SENDLINE", 126, "Error sending command or line to Gage"},
        {"IDS_STATUS_FILE_IMPORT_NOTSUPPORTED", 127, "Import of this file type is not supported"},
        {"IDS_STATUS_FILE_IMPORT_COMPLETE", 128, "File import completed for file"},
        {"IDS_ERR_USBCONFIG", 129, "Error in setting configuration to USB device"},
        {"IDS_ERR_USBINTERFACE", 130, "Error in getting interface to USB device"},
        {"IDS_MSG_LANGCHANGE_EFFECT", 131,
         "Please shutdown and restart the application for language selection changes to take "
         "effect"},
        {"IDS_MSG_FILEMERGE_SELECTFILES", 132, "Select one or more files to merge"},
        {"IDS_MSG_FILEMERGE_ENTERMERGEFILENAME", 133, "Enter file name for merged file"},
        {"IDS_ERR_FILEMERGE_FILECREATE_FAILURE", 134, "Error in creating new merged file"},
        {"IDS_MSG_FILEMERGE_MERGESUCCESS", 135, "Successfully created new merged file "},
        {"IDS_MSG_FILECREATE_ENTERFILENAME", 136, "Enter valid file name"},
        {"IDS_MSG_FILECREATE_MISMATCH_VALUE_TYPE", 137, "Mismatch in value type for Start and End"},
        {"IDS_MSG_FILECREAE_START_MORETHAN_END", 138,
         "Start value cannot be greater than End value"},
        {"IDS_MSG_FILECREATE_LINEAR_STARTEND_CHECK_THK", 139,
         "(End - Start + 1) cannot be more than 5000 for Save Mode THK ONLY"},
        {"IDS_MSG_FILECREATE_LINEAR_STARTEND_CHECK_THKASCAN", 140,
         "(End - Start + 1) cannot be more than 160 for Save Mode THK+ASCAN"},
        {"IDS_MSG_FILECREATE_2D_STARTEND_CHECK_THK", 141,
         "(EndCol - StartCol + 1) * (EndRow - StartRow + 1) cannot be more than 5000 for Save Mode "
         "THK ONLY"},
        {"IDS_MSG_FILECREATE_2D_STARTEND_CHECK_THKASCAN", 142,
         "(EndCol - StartCol + 1) * (EndRow - StartRow + 1) cannot be more than 160 for Save Mode "
         "THK+ASCAN"},
        {"IDS_MSG_FILECREATE_3D_STARTEND_CHECK_THK", 143,
         "(EndElev - StartElev + 1) * (EndCol - StartCol + 1) * (EndRow - StartRow + 1) cannot be "
         "more than 5000 for Save Mode THK ONLY"},
        {"IDS_MSG_FILECREATE_3D_STARTEND_CHECK_THKASCAN", 144,
         "(EndElev - StartElev + 1) * (EndCol - StartCol + 1) * (EndRow - StartRow + 1) cannot be "
         "more than 160 for Save Mode THK+ASCAN"},
        {"IDS_MSG_FILECREATE_BOILER_STARTEND_CHECK_THK", 145,
         "(EndTube - StartTube + 1) * (EndElev - StartElev + 1) * NumberTestPts cannot be more "
         "than 5000 for Save Mode THK ONLY"},
        {"IDS_MSG_FILECREATE_BOILER_STARTEND_CHECK_THKASCAN", 146,
         "(EndTube - StartTube + 1) * (EndElev - StartElev + 1) * NumberTestPts cannot be more "
         "than 160 for Save Mode THK+ASCAN"},
        {"IDS_MSG_FILECREATE_1STINC_2NDINC_EQUAL", 147,
         "1st Inc value cannot be equal to 2nd Inc value"},
        {"IDS_MSG_FILECREATE_VALUE_1TO5000_ATOZZ", 148, "Enter value as 1-5000 or A-ZZ"},
        {"IDS_MSG_FILECREATE_FILECREATED_SUCCESS", 149, "Successfully created file "},
        {"IDS_MSG_FILE_INVALIDFILENAME", 150,
         "Invalid file name. Valid file name can be 16 characters or less containing 0-9,A-Z(upper "
         "case),+,-"},
        // Messages of the data files (ids 200-219).
        {"IDS_ERR_FILESAVE", 200, "Error saving file"},
        {"IDS_MSG_FILECREATE_NO_COMMA", 201,
         "Commas and line breaks cannot be used in a layout value"},
        {"IDS_ERR_FILEMERGE_NOTGRID", 202,
         "Only grid files can be merged: their first line begins with a comma and names the "
         "columns. Not a grid file"},
        {"IDS_ERR_FILEMERGE_PLAINNAME", 203,
         "The merged file is made in the selected folder: enter a file name without a folder"},
        {"IDS_ERR_FILEMERGE_BADHEADING", 204,
         "A heading names no column, a column above 5000 or a column twice, so values would be "
         "lost. Not merged"},
        {"IDS_ERR_FILEMERGE_HEADINGBEYOND", 205,
         "The heading line of %s names column %s, but no row of the file reaches past column %s. "
         "Not merged: correct the heading line of the file."},
        {"IDS_ERR_FILEMERGE_TOOLARGE", 206,
         "Merging %s gives a grid of %s rows by %s columns (%s locations); a data file holds at "
         "most 5000. Nothing was merged: merge fewer or smaller files."},
        // Messages of the gauge link (ids 220-239).
        {"IDS_ERR_USBPERMISSION_TIP", 220,
         "Permission to use the USB device was denied. Install the device rules shipped with the "
         "program: sudo cp resources/60-korvel-gauge.rules /etc/udev/rules.d/ && sudo udevadm "
         "control --reload-rules, then unplug and replug the USB cable."},
        {"IDS_ERR_USBPERMISSION_TIP_INSTALLED", 238,
         "Permission to use the USB device was denied. The device rules were installed with the "
         "program in %s. Unplug the gauge and plug it in again so that they apply; if it still "
         "cannot be opened, log out and in again."},
        {"IDS_STATUS_GAGE_TRANSFERFAILED", 221, "File transfer failed"},
        {"IDS_STATUS_GAGE_TRANSFERCOMPLETE", 222, "Transfer complete"},
        {"IDS_STATUS_GAGE_FILESAVED", 223, "File transfer complete. File %s saved"},
        {"IDS_ERR_GAGE_UNSAFEFILENAME", 224,
         "The Gage listed \"%s\", which is not a plain file name. The file was not transferred."},
        {"IDS_ERR_GAGE_SAVEFILE", 225,
         "Cannot save the file %s. Check that the folder exists and that you may write to it."},
        {"IDS_ERR_GAGE_READREFUSED", 226, "The Gage did not send the file %s. Its answer:"},
        {"IDS_ERR_GAGE_LINKLOST", 227,
         "The connection to the Gage was lost while reading %s. The file was not saved."},
        {"IDS_ERR_GAGE_NOTTRANSFERRED", 228, "The file %s was not transferred."},
        {"IDS_ERR_GAGE_NOTTRIED", 229, "The transfer stopped there. These files were not tried:"},
        {"IDS_ERR_USBDRIVER_MISSING", 230,
         "The Gage's USB driver (libusb-win32) is not installed on this PC: install it, then plug "
         "the Gage in again."},
        {"IDS_STATUS_GAGE_BATCHFILE", 235, "file %s of %s: %s"},
        {"IDS_STATUS_GAGE_TRANSFERCANCELLED", 236, "Transfer cancelled. %s of %s files done"},
        {"IDS_STATUS_GAGE_FILENOTCOMPLETE", 237,
         "The file %s on the Gage is not complete: transfer it again."},
        {"IDS_STATUS_GAGEREFRESHCANCELLED", 239,
         "Gage directory file list refresh cancelled; the list is unchanged"},
        // Messages of the data view (ids 240-259).
        {"IDS_ERR_NO_DEFAULT_PRINTER", 240,
         "No default printer is set up. Set up a printer and make it the default, then print "
         "again. Without a printer, Report > Save Graph saves the graph as a PNG or PDF file and "
         "Report > Save Report as PDF saves the inspection report."},
        {"IDS_ERR_PRINT_FAILED", 241,
         "The printer did not accept the page. Check the printer and print again."},
        {"IDS_ERR_SURVEY_LAYOUT_MISMATCH", 242,
         "The two surveys do not share one layout: their types and their locations, in order, "
         "must be the same. Choose an earlier survey of the same layout."},
        {"IDS_MSG_SURVEY_NO_EARLIER", 243,
         "No other survey of this layout is in the file's folder. Put the earlier survey there and "
         "choose Compare... again."},
        {"IDS_DATAVIEW_NO_WAVEFORM", 250, "No waveform stored"},
        {"IDS_MSG_SURVEY_MIN_THICKNESS", 244,
         "Enter the minimum thickness as a number above 0, or leave it empty to use the low alarm "
         "of each reading's setup."},
        // The inspection history (ids 500-529).
        {"IDS_ERR_HISTORY_CANNOT_OPEN", 500,
         "The inspection history %s cannot be opened (%s). Check that its folder exists and that "
         "you may write there, or name another history with --archive."},
        {"IDS_ERR_HISTORY_NOT_DATABASE", 501,
         "%s is not an inspection history: it is not a database. Name the history's file with "
         "--archive, or move this file away; it was left as it is."},
        {"IDS_ERR_HISTORY_CORRUPT", 502,
         "The inspection history %s is damaged (%s). Restore it from a backup; nothing was "
         "changed."},
        {"IDS_ERR_HISTORY_READ_ONLY", 503,
         "The inspection history %s may only be read (%s). Make the file and its folder writable, "
         "or ask for the right to change it; nothing was changed."},
        {"IDS_ERR_HISTORY_LOCKED", 504,
         "The inspection history %s is in use by another program. Try again when it has finished; "
         "nothing was changed."},
        {"IDS_ERR_HISTORY_NEWER", 505,
         "The inspection history %s was made by a newer version of the program (schema version "
         "%s). Use that version; nothing was changed."},
        {"IDS_ERR_HISTORY_NOT_INITIALISED", 506,
         "The inspection history %s has no tables yet, or older ones. Have the database's owner "
         "run \"korvel-cli archive init\"."},
        {"IDS_ERR_HISTORY_SERVER", 507,
         "The history server %s cannot be reached (%s). Check that the server runs, its host, port "
         "and database name, and your password file, PGPASSWORD or service file."},
        {"IDS_ERR_HISTORY_DENIED", 508,
         "The history server %s refused this (%s): your database role may not make this change. "
         "Ask its administrator for the korvel_inspector role."},
        {"IDS_ERR_HISTORY_PASSWORD", 509,
         "The connection string %s holds a password. Keep passwords in the password file "
         "(~/.pgpass), PGPASSWORD or a service file, never in Settings.ini or on the command "
         "line."},
        {"IDS_ERR_HISTORY_WRITE", 510,
         "The inspection history %s could not be changed (%s). Check the free space and the "
         "connection, and try again; nothing was changed."},
        {"IDS_ERR_HISTORY_NOT_DATA_FILE", 511,
         "%s is not a data file of the gauge; it was not added."},
        {"IDS_ERR_HISTORY_NO_DATE", 512,
         "The data file %s has no valid date (Last Saved or Created); it was not added."},
        {"IDS_ERR_HISTORY_UNITS", 513,
         "The data file %s gives thicknesses in %s; the history takes IN or MM. It was not added."},
        {"IDS_ERR_HISTORY_DUPLICATE", 514,
         "The survey %s is already in the history (asset %s, file %s); it was not added again."},
        {"IDS_ERR_HISTORY_UNKNOWN_ASSET", 515,
         "The history has no asset %s. Make it with \"archive asset\", or check the name "
         "(\"archive assets\" lists them)."},
        {"IDS_ERR_HISTORY_UNKNOWN_READING", 516,
         "Survey %s of asset %s has no reading at %s. \"archive surveys\" lists the asset's "
         "surveys."},
        {"IDS_ERR_HISTORY_UNKNOWN_LOCATION", 517, "The history of asset %s has no reading at %s."},
        {"IDS_ERR_HISTORY_NOTE_REQUIRED", 518,
         "Give the reason with --note: a reading is left out of the figures, or taken back, only "
         "with a note."},
        {"IDS_ERR_HISTORY_ALREADY_EXCLUDED", 519,
         "The reading at %s of survey %s is already left out of the figures."},
        {"IDS_ERR_HISTORY_NOT_EXCLUDED", 520,
         "The reading at %s of survey %s is not left out of the figures; there is nothing to take "
         "back."},
        {"IDS_ERR_HISTORY_ASSET_EXISTS", 521,
         "The history %s already holds an asset %s; nothing was copied."},
        {"IDS_ERR_HISTORY_NOT_AVAILABLE", 522,
         "The inspection history is not available in this build of the program."},
        // Messages of the window and pages (ids 260-279).
        {"IDS_MSG_NO_PAGES_ENABLED", 260,
         "No page is enabled by the configuration. Set DataLogger=1 or UserVelocity=1, or "
         "ShowFileTransferTabOnly=0, in the [CONFIG] section of AppConfig.ini and start the "
         "program again."},
        {"IDS_ERR_OPEN_FILE_WITH_PROGRAM", 261,
         "No program could be started to open this file. Open it from the folder with a program "
         "of your choice."},
        {"IDS_DEMO_PANEL_TITLE", 262, "Simulated Gage"},
        {"IDS_DEMO_GAGE_PLUGGED", 263, "The simulated Gage is plugged in."},
        {"IDS_DEMO_GAGE_UNPLUGGED", 264,
         "The simulated Gage is unplugged: the gauge buttons now show the link failure."},
        {"IDS_DEMO_UNPLUG", 265, "&Unplug Gage"},
        {"IDS_DEMO_PLUG", 266, "&Plug in Gage"},
        {"IDS_DEMO_PLUG_UPGRADE", 267, "Plug in Gage in up&grade mode"},
        {"IDS_DEMO_GAGE_UPGRADE_MODE", 268,
         "The simulated Gage is plugged in, in its upgrade mode, for the Software Upgrade page."},
        {"IDS_MSG_CANCEL_ON_CLOSE", 275,
         "An operation with the Gage is still running. Cancel it and close the program?\n\nThe "
         "program closes as soon as the Gage has been released."},
        // Messages of the upgrade, terminal and velocity (ids 280-299).
        {"IDS_STATUS_UPGRADE_SENT", 280, "Sent %s bytes"},
        {"IDS_STATUS_UPGRADE_DOWNLOADING", 281, "Downloading file %s"},
        {"IDS_ERR_UPGRADE_NORMALMODE", 282,
         "The %s is connected in its normal mode and must be switched to its upgrade mode: turn "
         "it off, then hold its DOWN arrow key while you plug in the USB cable, and start the "
         "download again."},
        {"IDS_MSG_VELOCITY_RANGE", 290,
         "Nothing was sent to the Gage: %s must be a number from %s to %s %s, not \"%s\"."},
        {"IDS_MSG_VELOCITY_POSITIVE", 291,
         "Nothing was sent to the Gage: %s must be a number above 0, not \"%s\"."},
        {"IDS_STATUS_VELOCITY_SET", 292, "The Gage took both velocities: %s"},
        {"IDS_STATUS_VELOCITY_NOTALLSET", 293,
         "The Gage took %s of the two velocities; the message shown says why."},
        {"IDS_STATUS_UPGRADECANCELLED", 295,
         "Software upgrade cancelled before the firmware was sent; the Gage is unchanged"},
        {"IDS_STATUS_UPGRADE_NOCANCEL", 296,
         "The firmware image is being sent: the upgrade can no longer be cancelled."},
        // Messages of a misbehaving gauge (ids 700-719).
        {"IDS_ERR_GAGE_REFUSED", 700, "The Gage refused the command \"%s\". Its answer:"},
        {"IDS_ERR_GAGE_NOANSWER", 701,
         "The Gage did not answer \"%s\". Check that it is on and connected, then try again."},
        {"IDS_ERR_GAGE_REPLYLOST", 702,
         "The connection to the Gage was lost during \"%s\". Nothing was taken from its answer."},
        {"IDS_ERR_GAGE_REPLYTOOLONG", 703,
         "The Gage's answer to \"%s\" went on past %s MB without ending, so it was not taken. Turn "
         "the Gage off and on, then try again."},
        {"IDS_ERR_GAGE_LISTINGUNENDED", 704,
         "The Gage's answer to \"%s\" stopped before the end of a listing. The list is unchanged: "
         "refresh it again."},
        {"IDS_ERR_GAGE_NOTVELOCITY", 705,
         "The Gage's answer to \"%s\" is not a velocity and a unit. The velocity is unchanged. Its "
         "answer:"},
        {"IDS_ERR_GAGE_NOTDATAFILE", 706,
         "What the Gage sent for %s is not a data file (it is not plain text), so it was not "
         "saved and the file on the PC is unchanged. Transfer it again."},
        {"IDS_ERR_UPGRADE_NOTERM", 707,
         "The Gage did not confirm the end of the upgrade. Check the Gage: turn it off and on; if "
         "it does not start with the new software, upgrade it again."},
        {"IDS_ERR_IMPORT_TOOMANY", 708,
         "The report holds %s locations; a data file holds at most 5000. Nothing was imported: "
         "split the report and import each part."},
        {"IDS_ERR_EXPORT_HEADERROWS", 709,
         "The header of %s claims %s readings, but the file holds %s (a data file holds at most "
         "5000). Nothing was exported: correct the \"# ID\" value of the file."},
        // Texts of the sheet, the About box and the dialogs (ids 300-319).
        {"IDS_ABOUT_MENU", 101, kAboutMenuText},
        {"IDS_ABOUT_TITLE", 300, "About PalimarApp"},
        {"IDS_ABOUT_TEXT", 301, "File Transfer Application - Version 3.7.1"},
        {"IDS_SHEET_CLOSE", 302, "C&lose"},
        {"IDS_STR_BINFILE_FILTER", 303, "Binary Files (*.bin)"},
        {"IDS_DATAVIEW_SETUP_TYPE", 304, "Type"},
        {"IDS_DATAVIEW_SETUP_VALUE", 305, "Value"},
        {"IDS_PROGRAM_TITLE", 306, "%s - Version 3.7.3"},
        // The inspection report and Save Graph (ids 420-459).
        {"IDS_REPORT_TITLE", 420, "Inspection Report"},
        {"IDS_REPORT_FILE", 421, "File"},
        {"IDS_REPORT_TYPE", 422, "Type"},
        {"IDS_REPORT_PRODUCT", 423, "Product"},
        {"IDS_REPORT_CREATED", 424, "Created"},
        {"IDS_REPORT_LAST_SAVED", 425, "Last saved"},
        {"IDS_REPORT_GAGE", 426, "Gage"},
        {"IDS_REPORT_PROGRAM", 427, "Program"},
        {"IDS_REPORT_DATE", 428, "Report date"},
        {"IDS_REPORT_SETUPS", 429, "Setups"},
        {"IDS_REPORT_NOTES", 430, "Notes"},
        {"IDS_REPORT_READINGS", 431, "Readings"},
        {"IDS_REPORT_ALARM", 432, "Alarm"},
        {"IDS_REPORT_WARNING", 433, "Warning"},
        {"IDS_REPORT_ASCANS", 434, "A-Scans"},
        {"IDS_REPORT_PAGE", 435, "Page %s of %s"},
        {"IDS_STR_SAVE_GRAPH_TITLE", 436, "Save Graph"},
        {"IDS_STR_REPORT_TITLE", 437, "Save Inspection Report"},
        {"IDS_STR_PNG_FILTER", 438, "PNG picture (*.png)"},
        {"IDS_STR_PDF_FILTER", 439, "PDF document (*.pdf)"},
        {"IDS_ERR_REPORT_FAILED", 440,
         "The report could not be drawn. Close other programs to free memory, then try again."},
        {"IDS_REPORT_STATISTICS", 441, "Statistics"},
        {"IDS_REPORT_NO_READINGS", 442, "No readings have been taken in this file yet."},
        // Workbooks for spreadsheet programs (ids 460-469).
        {"IDS_STR_WORKBOOK_TITLE", 460, "Export to Workbook"},
        {"IDS_STR_XLSX_FILTER", 461, "Workbook (*.xlsx)"},
        // Overwrite questions and the summaries of transfers (ids 480-499).
        {"IDS_MSG_IMPORT_LOSESMORE", 480,
         "The existing file also holds what a text report cannot carry (notes, setups after the "
         "first, waveforms, alarm or gain flags): the import would lose them."},
        {"IDS_ERR_GAGE_DISCONNECTED", 481,
         "The Gage was disconnected. Check the USB cable and that the Gage is switched on, then "
         "transfer the file again."},
        {"IDS_MSG_YESTOALL", 482, "Yes to &All"},
        {"IDS_MSG_NOTOALL", 483, "N&o to All"},
        {"IDS_STATUS_GAGE_BATCHSUMMARY", 484, "Transfer ended. Saved: %s; skipped: %s; failed: %s"},
        {"IDS_STATUS_GAGE_FILEKEPT", 485,
         "The file %s was kept as it was; it was not transferred."},
        {"IDS_STATUS_GAGE_UPLOADNOLIST", 489,
         "Nothing was sent to the Gage: its file list could not be read, and a file on the Gage "
         "is never replaced without asking."},
        // The report's inspection fields (ids 800-814).
        {"IDS_REPORT_CLIENT", 800, "Client"},
        {"IDS_REPORT_SITE", 801, "Site"},
        {"IDS_REPORT_ASSET", 802, "Asset"},
        {"IDS_REPORT_COMPONENT", 803, "Component"},
        {"IDS_REPORT_NOMINAL", 804, "Nominal thickness"},
        {"IDS_REPORT_REQUIRED", 805, "Required thickness"},
        {"IDS_REPORT_CODE", 806, "Code and class"},
        {"IDS_REPORT_INSPECTOR", 807, "Inspector"},
        {"IDS_REPORT_CERTIFICATION", 808, "Certification"},
        {"IDS_REPORT_GAUGE_MODEL", 809, "Gage model"},
        {"IDS_REPORT_GAUGE_SERIAL", 810, "Serial number"},
        {"IDS_REPORT_CALIBRATION", 811, "Calibration date"},
        {"IDS_REPORT_PROBE", 812, "Probe"},
        {"IDS_REPORT_COMMENTS", 813, "Comments"},
        {"IDS_REPORT_SIGN_OFF", 814, "Signed off (name, date)"},
    };
    return entries;
}

const char* const kAboutMenuText = "&About PalimarApp...";

const char* const kUpgradeInstructions =
    "1. If %1 is ON - Make sure USB cable is unplugged from the PC or the %1.  Then press and hold "
    "the F1 key to turn the %1 off. Wait until you hear one beep before releasing the F1 key. \n"
    "    If %1 is OFF - Make sure USB is unplugged from the PC or the %1.  \n"
    "\n"
    "2. Press and hold the DOWN arrow key on the %1 WHILE plugging the USB cable into the %1 and "
    "PC. \n"
    "3. Continue to hold the DOWN arrow key and click the OK button below to start the software "
    "upgrade. \n"
    "\n"
    "ALERT:  DO NOT release the DOWN arrow key until you hear three beeps from the %1 after the "
    "software upgrade is complete";

}  // namespace korvel
