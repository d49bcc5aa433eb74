#include "vorn/utils/calculator/CInfixToPostfix.h"

#include <gtest/gtest.h>

#include <string>

using vorn::CInfixToPostfix;

namespace {

CInfixToPostfix MakeConverterWithFunctions() {
    CInfixToPostfix converter;
    for (const char* name : {"sin", "cos", "tan", "sqrt", "^"})
        converter.AddOperator(name, 2);
    return converter;
}

}  // namespace

TEST(CInfixToPostfixTest, OrdersOperatorsByPrecedenceAndGroupsFromTheLeft) {
    CInfixToPostfix converter = MakeConverterWithFunctions();
    EXPECT_EQ(converter.Convert("3 + 4 * 2"), "3 4 2 * +");
    EXPECT_EQ(converter.Convert("3 * 4 + 2"), "3 4 * 2 +");
    EXPECT_EQ(converter.Convert("8 - 3 - 2"), "8 3 - 2 -");
    EXPECT_EQ(converter.Convert("8 / 4 / 2"), "8 4 / 2 /");
    EXPECT_EQ(converter.Convert("2 ^ 3 ^ 2"), "2 3 ^ 2 ^");
    EXPECT_EQ(converter.Convert("( 3 + 4 ) * 2"), "3 4 + 2 *");
    EXPECT_EQ(converter.Convert("sin ( 0 )"), "0 sin");
    EXPECT_EQ(converter.Convert("sqrt ( 16 ) * 2"), "16 sqrt 2 *");
    EXPECT_EQ(converter.Convert("parent.x + ( parent.w / 2 - ( parent.w * 0.9 / 2 ) )"),
              "parent.x parent.w 2 / parent.w 0.9 * 2 / - +");
}

TEST(CInfixToPostfixTest, TokensNeedNoBlanksBetweenThem) {
    CInfixToPostfix converter = MakeConverterWithFunctions();
    EXPECT_EQ(converter.Convert("(3+4)*2"), "3 4 + 2 *");
    EXPECT_EQ(converter.Convert("\t12.5\t/ 2  "), "12.5 2 /");
    EXPECT_EQ(converter.Convert("2sqrt(9)"), "2 9 sqrt");
    // An operand is everything up to the next operator, inner blanks included.
    EXPECT_EQ(converter.Convert("a b + 1"), "a b 1 +");
}

TEST(CInfixToPostfixTest, SignsJoinTheOperandThatFollows) {
    CInfixToPostfix converter = MakeConverterWithFunctions();
    EXPECT_EQ(converter.Convert("-5 + 2"), "-5 2 +");
    EXPECT_EQ(converter.Convert("+5 - 2"), "+5 2 -");
    EXPECT_EQ(converter.Convert("3 * -2"), "3 -2 *");
    EXPECT_EQ(converter.Convert("( -2 )"), "-2");
    EXPECT_EQ(converter.Convert("3 - -2"), "3 -2 -");
    EXPECT_EQ(converter.Convert("3 -2"), "3 2 -");  // after an operand it subtracts
    // Before a parenthesis or a function the sign stays an operator.
    EXPECT_EQ(converter.Convert("- ( 3 )"), "3 -");
    EXPECT_EQ(converter.Convert("-sin ( 0 )"), "0 sin -");
    EXPECT_EQ(converter.Convert("5 -"), "5 -");
    // A blank between sign and number, and runs of signs, still make one operand,
    // and the rest of the text is converted as usual.
    EXPECT_EQ(converter.Convert("- 5 + -5"), "-5 -5 +");
    EXPECT_EQ(converter.Convert("- - 5 * 2"), "--5 2 *");
}

TEST(CInfixToPostfixTest, ToleratesUnbalancedParentheses) {
    CInfixToPostfix converter;
    EXPECT_EQ(converter.Convert("( 1 + 2"), "1 2 + (");
    EXPECT_EQ(converter.Convert("1 + 2 )"), "1 2 +");
    EXPECT_EQ(converter.Convert(")))"), "");
    EXPECT_EQ(converter.Convert("((("), "( ( (");
    EXPECT_EQ(converter.Convert(""), "");
    EXPECT_EQ(converter.Convert(" \t "), "");
}

TEST(CInfixToPostfixTest, GetNextTokenReportsKindsAndRemembersThePreviousOne) {
    CInfixToPostfix converter;
    CInfixToPostfix::TokenKind kind = CInfixToPostfix::TOKEN_NONE;
    EXPECT_EQ(converter.GetNextToken("  width + 2", kind), "width");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_OPERAND);
    // After an operand a minus is an operator...
    EXPECT_EQ(converter.GetNextToken("-2", kind), "-");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_OPERATOR);
    // ...and after an operator it is a sign.
    EXPECT_EQ(converter.GetNextToken("-2 )", kind), "-2");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_OPERAND);
    EXPECT_EQ(converter.GetNextToken(" ( 1", kind), "(");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_OPEN_PARENTHESIS);
    EXPECT_EQ(converter.GetNextToken(")", kind), ")");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_CLOSE_PARENTHESIS);
    EXPECT_EQ(converter.GetNextToken("   ", kind), "");
    EXPECT_EQ(kind, CInfixToPostfix::TOKEN_NONE);
    // Conversion starts afresh: a leading sign is a sign whatever came before.
    converter.GetNextToken("7", kind);
    EXPECT_EQ(converter.Convert("-1"), "-1");
}

TEST(CInfixToPostfixTest, RegisteredOperatorsAndPrecedence) {
    CInfixToPostfix converter;
    EXPECT_EQ(converter.GetPrecedence("+"), 0);
    EXPECT_EQ(converter.GetPrecedence("/"), 1);
    EXPECT_EQ(converter.GetPrecedence("unknown"), 0);
    // Unregistered, "max" is part of an operand.
    EXPECT_EQ(converter.Convert("1 max 2"), "1 max 2");
    converter.AddOperator("max", 3);
    EXPECT_EQ(converter.GetPrecedence("max"), 3);
    EXPECT_EQ(converter.Convert("1 + 2 max 3"), "1 2 3 max +");
    // Names that could never be tokens are refused.
    converter.AddOperator("", 5);
    converter.AddOperator("a b", 5);
    converter.AddOperator("(", 5);
    EXPECT_EQ(converter.GetPrecedence("a b"), 0);
    EXPECT_EQ(converter.Convert("( 1 )"), "1");
}
