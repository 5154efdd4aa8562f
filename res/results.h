// Resource, command and control ids of the results page, the file-system page and their dialogs
// (art drawn by art/make-results-art.sh).
#pragma once

// Commands of the context menus of the result tree (325) and the result list (192).
#define IDR_RESULT_TREE_MENU 325
#define IDR_RESULT_LIST_MENU 192
#define ID_RENAME_ROW 32802
#define ID_SHOW_PROPERTIES 32804

// Controls of the results page (the tree takes the partition page's id 162 there).
#define IDC_RESULT_TREE 162
#define IDC_RESULT_INNER_SPLITTER 164
#define IDC_RESULT_LIST 165
#define IDC_RESULT_LABEL 61482
#define IDC_RESULT_NOTE_1 61484
#define IDC_RESULT_NOTE_2 61488
#define IDC_PREVIEW_PANE 59649

// Controls of the file-system page.
#define IDC_FILESYSTEM_TREE 156
#define IDC_FS_GROUP 61479
#define IDC_FS_TITLE 32824

// Dialog 215: saving.
#define IDD_SAVING 215
#define IDC_SKIP_FILE 1071
#define IDC_SAVE_PATH_LABEL 1077
#define IDC_SAVE_NAME_LABEL 1073
#define IDC_SAVE_COUNT_LABEL 1078
#define IDC_SAVE_PATH 1043
#define IDC_SAVE_NAME 1075
#define IDC_SAVE_COUNT 1076
#define IDC_SAVE_PROGRESS 1074

// Dialog 195: Find.
#define IDD_FIND_FILES 195
#define IDC_FIND_PATTERN 1032
#define IDC_FIND_PATTERN_LABEL 1033
#define IDC_FIND_LAST_LABEL 1035
#define IDC_FIND_LAST 1036
#define IDC_FIND_COUNT_LABEL 1037
#define IDC_FIND_COUNT 1038
#define IDC_FIND_STOP 1039
#define IDC_FIND_HITS 1040
#define IDC_FIND_SELECT_ALL 1070
#define IDC_FIND_SAVE 1080
#define IDC_FIND_STATUS 1089

// Dialog 237: File Types.
#define IDD_FILE_TYPES 237
#define IDC_TYPES_PROMPT 1101
#define IDC_TYPES_SIZE 1105
#define IDC_TYPES_SIZE_LABEL 1107
#define IDC_TYPES_SIZE_UNIT 1108
#define IDC_TYPES_TREE 1085
#define IDC_TYPES_CAPTION 1133

// Dialog 206: Recovery Settings.
#define IDD_RECOVERY_SETTINGS 206
#define IDC_SECTORS_PER_READ 1046
#define IDC_READ_RETRIES 1055
#define IDC_DUPLICATE_RENAME 1048
#define IDC_DUPLICATE_OVERWRITE 1049
#define IDC_DUPLICATE_SKIP 1050
#define IDC_DELETED_INCLUDE 1051
#define IDC_DELETED_ONLY 1052
#define IDC_DELETED_EXCLUDE 1053
#define IDC_SETTINGS_CAPTION_1 1056
#define IDC_SETTINGS_CAPTION_2 1057
#define IDC_SETTINGS_CAPTION_3 1058
#define IDC_SETTINGS_CAPTION_4 1059
#define IDC_SETTINGS_TITLE 1060

// Dialog 209: File Filters.
#define IDD_FILE_FILTERS 209
#define IDC_FILTER_LIST 1063
#define IDC_FILTER_EDIT 1064
#define IDC_FILTER_REMOVE 1062

// Dialog 194: Drive Information (values 1201 to 1208, in the order of the rows).
#define IDD_DRIVE_INFO 194
#define IDC_DRIVE_INFO_CAPTION 1200
#define IDC_DRIVE_INFO_VALUE 1201

// Dialog 212: Properties (values 1211 to 1215, in the order of the rows).
#define IDD_PROPERTIES 212
#define IDC_PROPERTIES_ICON 1210
#define IDC_PROPERTIES_VALUE 1211

// Bitmaps.
#define IDB_LIST_CHECKS 201
#define IDB_FIND_SKIN 203
#define IDB_TYPES_SKIN 208
#define IDB_FILTERS_SKIN 210
#define IDB_PROPERTIES_SKIN 213
#define IDB_SAVING_SKIN 216

// Header icons of the result list: the same seven icons as the archive list's header, defined
// once in preview.rc (a second definition of the numbers would silently replace one set).
#define IDI_HEADER_CREATED 161
#define IDI_HEADER_TYPE 162
#define IDI_HEADER_NAME 163
#define IDI_HEADER_SIZE 164
#define IDI_HEADER_SPARE 165
#define IDI_HEADER_MODIFIED 166
#define IDI_HEADER_KEY 167
