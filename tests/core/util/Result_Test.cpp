#include "Qt_Print.h"
#include "util/Result.h"

#include <gtest/gtest.h>
#include <type_traits>
#include <variant>

// A text can be the value or the reason: only the Failure marker makes it the reason, and an
// empty text says nothing about which it is.
TEST(Result, A_Text_Is_A_Value_Unless_Marked_As_A_Failure) {
    const vo::Result<QString> Empty_Value = QString();
    ASSERT_TRUE(Empty_Value);
    EXPECT_EQ(*Empty_Value, QString());
    EXPECT_TRUE(Empty_Value.Error().isEmpty());

    const vo::Result<QString> Failed = vo::Failure{QStringLiteral("no such file")};
    EXPECT_FALSE(Failed);
    EXPECT_EQ(Failed.Error(), QStringLiteral("no such file"));
    EXPECT_THROW((void)*Failed, std::bad_variant_access);

    EXPECT_FALSE(vo::Result<QString>(vo::Failure{}));
    EXPECT_FALSE(vo::Status(vo::Failure{}));
    EXPECT_TRUE(vo::Status());
    static_assert(!std::is_convertible_v<QString, vo::Status>, "a bare text is never a failure");
}
