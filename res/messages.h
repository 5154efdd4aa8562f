// Resource ids of the two message dialogs.
#pragma once

#define IDD_MESSAGE 204                 // dialog of the message and confirmation dialogs
#define IDI_MESSAGE_ERROR 218           // icon of an error (kind 2)
#define IDI_MESSAGE_INFORMATION 219     // icon of a notice (kind 1)
#define IDI_MESSAGE_QUESTION 220        // icon of a question (kind 3)
#define IDB_MESSAGE_BACKGROUND 221      // background panel, green 0x00FF00 outside its shape
#define IDC_MESSAGE_ICON 1041           // icon static of dialog 204
#define IDC_MESSAGE_TEXT 1079           // text of dialog 204
