// The application's settings that the table and database previews read. The application object
// sets them when it is constructed; these are their defaults.
#pragma once

struct CPreviewSettings {
    int m_bShowSystemObjects = 0;  // list the database's system and hidden tables and queries
    int m_bConfirmDeletion = 1;    // ask before a table or query is deleted from the opened copy
    int m_nRecordLimit = 10000;    // records shown of one table of an Access database
};

CPreviewSettings& PreviewSettings();
