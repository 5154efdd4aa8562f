// The observer seam: messages and out of memory reach the installed observer; the default ends the
// process with a nonzero code.
#include "engine/ScanObserver.h"
#include "engine/state/RecordList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

class RecordingObserver : public ScanObserver {
public:
    bool OnMessage(const std::u16string& text, MessageKind kind) override
    {
        messages.push_back(text);
        kinds.push_back(kind);
        return answer;
    }
    void OnOutOfMemory() override { ++outOfMemory; }

    std::vector<std::u16string> messages;
    std::vector<MessageKind> kinds;
    bool answer = true;
    int outOfMemory = 0;
};

class ObserverTest : public ::testing::Test {
protected:
    void SetUp() override { previous = SetScanObserver(&observer); }
    void TearDown() override { SetScanObserver(previous); }

    RecordingObserver observer;
    ScanObserver* previous = nullptr;
};

TEST_F(ObserverTest, QuestionsReturnTheObserversAnswer)
{
    EXPECT_TRUE(ShowEngineMessage(u"Continue Recovery ? ", kMessageQuestion));
    observer.answer = false;
    EXPECT_FALSE(ShowEngineMessage(u"Continue Recovery ? ", kMessageQuestion));
    ASSERT_EQ(observer.kinds.size(), 2u);
    EXPECT_EQ(observer.kinds[0], kMessageQuestion);
}

TEST_F(ObserverTest, AQuestionWithAnErrorIconIsStillAQuestionToObserversWithoutIcons)
{
    // An observer that shows every question alike is asked as before, and answers.
    EXPECT_TRUE(AskEngineQuestion(u"Error creating file : f.  Continue Recovery ? ", kMessageError));
    observer.answer = false;
    EXPECT_FALSE(AskEngineQuestion(u"Error creating file : f.  Continue Recovery ? ", kMessageError));
    EXPECT_EQ(observer.kinds, (std::vector<MessageKind>{kMessageQuestion, kMessageQuestion}));
}

TEST_F(ObserverTest, FailedNameCopyReportsOutOfMemoryAndReturnsNull)
{
    // A length whose byte count does not fit the address space cannot be allocated.
    EXPECT_EQ(CopyRecordName(u"x", SIZE_MAX / 2), nullptr);
    EXPECT_EQ(observer.outOfMemory, 1);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0], u"Out of memory, close other applications and run again");
    EXPECT_EQ(observer.kinds[0], kMessageError);
}

TEST(NullObserverTest, QuestionsAreAnsweredNo)
{
    EXPECT_FALSE(ShowEngineMessage(u"Do you want to stop file searching ?", kMessageQuestion));
    EXPECT_FALSE(AskEngineQuestion(u"Error creating file : f.  Continue Recovery ? ", kMessageError));
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(NullObserverDeathTest, OutOfMemoryEndsTheProcessWithAnErrorCode)
{
    EXPECT_EXIT(ReportOutOfMemory(), ::testing::ExitedWithCode(kOutOfMemoryExitCode), "Out of memory");
}
#endif

} // namespace
