// Reports a database error to the user through the message channel: the engine's description
// and code when it gave them, else the error's status code.
#pragma once

#include "classlib/win/AfxDao.h"

void ReportDaoException(CDaoException* e);
