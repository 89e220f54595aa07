// A step made of parts that change different files goes through whole or changes nothing: for each
// part that may refuse, undo and redo leave every file as the step found it, and the step stays to
// be tried again.
#include "platform/stepcommand.h"

#include <array>
#include <gtest/gtest.h>

namespace pomiro {
namespace {

// One file of the step: holds "after" once its part is made, "before" once taken back.
struct FakeFile
{
    bool after = true;
    bool refuses = false;
};

class PartCommand final : public StepCommand
{
public:
    explicit PartCommand(FakeFile &file) : m_file(file) {}
    QString undoneText() const override { return QStringLiteral("undone"); }
    QString redoneText() const override { return QStringLiteral("redone"); }

protected:
    std::optional<StepRefusal> make() override { return set(true); }
    std::optional<StepRefusal> takeBack() override { return set(false); }

private:
    std::optional<StepRefusal> set(bool after)
    {
        if (m_file.refuses)
            return StepRefusal{QStringLiteral("refused"), {}, false};
        m_file.after = after;
        return std::nullopt;
    }

    FakeFile &m_file;
};

TEST(StepSequenceTest, ARefusedPartLeavesEveryFileAsTheStepFoundIt)
{
    constexpr int kParts = 3;
    for (const bool back : {true, false}) {
        for (int refusing = -1; refusing < kParts; ++refusing) {
            SCOPED_TRACE(::testing::Message() << (back ? "undo" : "redo") << ", part " << refusing);
            std::array<FakeFile, kParts> files;
            std::vector<std::unique_ptr<StepCommand>> parts;
            for (FakeFile &file : files)
                parts.push_back(std::make_unique<PartCommand>(file));
            StepSequence step(std::move(parts));
            if (!back) { // a redo is tried on a step that was taken back
                step.undo();
                ASSERT_FALSE(step.refusal());
            }
            const bool start = files[0].after;
            if (refusing >= 0)
                files[std::size_t(refusing)].refuses = true;

            back ? step.undo() : step.redo();
            const bool refused = refusing >= 0;
            EXPECT_EQ(step.refusal().has_value(), refused);
            for (const FakeFile &file : files)
                EXPECT_EQ(file.after, refused ? start : !start);

            // Once the file takes it again, the same step goes through.
            for (FakeFile &file : files)
                file.refuses = false;
            back ? step.undo() : step.redo();
            EXPECT_FALSE(step.refusal());
            for (const FakeFile &file : files)
                EXPECT_EQ(file.after, !start);
        }
    }
}

} // namespace
} // namespace pomiro
