// The parts of the program loaded when first needed: a missing or damaged
// one is an error to show, never a crash.
#include "platform/ProgramModule.h"

#include <gtest/gtest.h>
#include <string>

namespace kestrix {
namespace {

TEST(ProgramModuleTest, AMissingModuleOrFunctionIsAnError) {
    const struct {
        const char* file;
        const char* function;
        const char* named; // what the message must name; none: no error
    } cases[] = {
        {"kestrix-svg.so", "kestrixMetafilePicture", nullptr},
        {"kestrix-no-such-part.so", "kestrixMetafilePicture", "kestrix-no-such-part.so"},
        {"kestrix-svg.so", "kestrixNoSuchFunction", "kestrixNoSuchFunction"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(std::string(row.file) + " " + row.function);
        ProgramModule module(row.file);
        void* function = module.function(row.function);
        if (row.named == nullptr) {
            EXPECT_NE(function, nullptr);
            EXPECT_FALSE(module.error()) << module.error()->message;
            continue;
        }
        EXPECT_EQ(function, nullptr);
        ASSERT_TRUE(module.error());
        EXPECT_NE(module.error()->message.find(row.named), std::string::npos)
            << module.error()->message;
    }
}

} // namespace
} // namespace kestrix
