#pragma once

#include <map>
#include <string>
#include <vector>

namespace vorn {

// Converts an infix text ("3 + 4 * 2") into a postfix text whose tokens are
// separated by single spaces ("3 4 2 * +"), by operator precedence. The rules
// are those of the calculator (see CCalculator.h); in short:
//   - tokens are the registered operator names, "(" and ")", and operands (any
//     other text up to the next of those, trimmed of blanks and tabs);
//   - a "+" or "-" where no value precedes it (at the start, after an operator
//     or after "(") and followed by an operand is a sign: "-5" is one operand;
//   - operators of equal precedence group from the left, "^" included;
//   - unbalanced parentheses are tolerated: a stray ")" is skipped, an unclosed
//     "(" is written at the end (and then ignored by the evaluator).
// Conversion takes time and memory linear in the length of the text.
class CInfixToPostfix {
public:
    enum TokenKind {
        TOKEN_NONE = 0,
        TOKEN_OPERATOR = 1,
        TOKEN_OPEN_PARENTHESIS = 3,
        TOKEN_CLOSE_PARENTHESIS = 4,
        TOKEN_OPERAND = 5
    };

    // Starts with "+" and "-" at precedence 0, "*" and "/" at precedence 1.
    CInfixToPostfix();

    // Registers or re-ranks an operator. A higher precedence binds tighter. An
    // empty name, or one holding a blank, tab or parenthesis, is ignored.
    void AddOperator(const std::string& name, int precedence);
    // The precedence of a name; 0 for a name that is not registered.
    int GetPrecedence(const std::string& name) const;

    // Returns the postfix form of the infix text.
    std::string Convert(const std::string& infix);

    // Returns the first token of the text and its kind (TOKEN_NONE with an empty
    // token when the text holds only blanks). Whether "+" or "-" is a sign
    // depends on the kind of the token returned before, by this call or by the
    // conversion that ran last.
    std::string GetNextToken(const std::string& text, TokenKind& kind);

private:
    struct Token {
        TokenKind kind = TOKEN_NONE;
        size_t begin = 0;  // first character of the token in the text
        size_t end = 0;    // one past its last character
        int op = -1;       // index into myOperators for TOKEN_OPERATOR
    };

    struct Operator {
        std::string name;
        int precedence;
    };

    // The operator, parenthesis (OPEN_MATCH, CLOSE_MATCH) or nothing (-1)
    // beginning at a position of the text.
    int MatchAt(const std::string& text, size_t position) const;
    // The token beginning at or after position, signs not yet joined to numbers.
    Token ScanToken(const std::string& text, size_t position) const;
    // The token beginning at or after position, with a leading sign joined to the
    // operand after it when the previous token leaves room for a sign. The text
    // of a signed operand is the signs followed by the operand; it is written
    // to signedText (otherwise signedText is left empty). noOperandBefore carries,
    // from one call to the next on the same text, where the last run of signs
    // that did not end in an operand ended (0 at the start).
    Token NextToken(const std::string& text, size_t position, std::string& signedText,
                    size_t& noOperandBefore) const;
    void RebuildOperatorList();

    static constexpr int OPEN_MATCH = -2;
    static constexpr int CLOSE_MATCH = -3;

    std::map<std::string, int> myPrecedences;
    // myPrecedences in byte order, with a filter of the characters an operator
    // name may begin with, so that scanning a character is cheap.
    std::vector<Operator> myOperators;
    bool myStartsOperator[256] = {};
    // Kind of the last token returned; decides whether "+" and "-" are signs.
    TokenKind myPreviousKind = TOKEN_NONE;
};

}  // namespace vorn
