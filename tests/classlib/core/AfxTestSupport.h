// Test helpers for code that throws the class library's heap-allocated exceptions.
#pragma once

#include <gtest/gtest.h>

#include "classlib/core/AfxCore.h"

// Expects the statement to throw exception_class (a pointer type) and deletes what it throws.
#define EXPECT_AFX_THROW(statement, exception_class)                          \
  do {                                                                        \
    bool afxCaught_ = false;                                                  \
    try {                                                                     \
      statement;                                                              \
    } catch (exception_class e_) {                                            \
      afxCaught_ = true;                                                      \
      e_->Delete();                                                           \
    } catch (CException * e_) {                                               \
      e_->Delete();                                                           \
    }                                                                         \
    EXPECT_TRUE(afxCaught_) << #statement " should throw " #exception_class; \
  } while (0)

// The cause of the CArchiveException the statement throws, or -1 when it throws none.
#define AFX_ARCHIVE_CAUSE(statement)   \
  [&]() -> int {                       \
    try {                              \
      statement;                       \
    } catch (CArchiveException * e_) { \
      int cause_ = e_->m_cause;        \
      e_->Delete();                    \
      return cause_;                   \
    }                                  \
    return -1;                         \
  }()
