#include "vorn/utils/calculator/CInfixToPostfix.h"

namespace vorn {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsSign(const std::string& name) {
    return name == "+" || name == "-";
}

}  // namespace

CInfixToPostfix::CInfixToPostfix() {
    myPrecedences = {{"+", 0}, {"-", 0}, {"*", 1}, {"/", 1}};
    RebuildOperatorList();
}

void CInfixToPostfix::AddOperator(const std::string& name, int precedence) {
    // Such names would be split apart by the evaluator or clash with parentheses.
    if (name.empty() || name.find_first_of(" \t()") != std::string::npos) return;
    myPrecedences[name] = precedence;
    RebuildOperatorList();
}

int CInfixToPostfix::GetPrecedence(const std::string& name) const {
    auto found = myPrecedences.find(name);
    return found == myPrecedences.end() ? 0 : found->second;
}

void CInfixToPostfix::RebuildOperatorList() {
    myOperators.clear();
    for (bool& starts : myStartsOperator)
        starts = false;
    // The map's order is byte order: at equal positions the first name wins.
    for (const auto& [name, precedence] : myPrecedences) {
        myOperators.push_back(Operator{name, precedence});
        myStartsOperator[static_cast<unsigned char>(name[0])] = true;
    }
    myStartsOperator[static_cast<unsigned char>('(')] = true;
    myStartsOperator[static_cast<unsigned char>(')')] = true;
}

int CInfixToPostfix::MatchAt(const std::string& text, size_t position) const {
    const char c = text[position];
    if (!myStartsOperator[static_cast<unsigned char>(c)]) return -1;
    for (size_t i = 0; i < myOperators.size(); ++i) {
        if (text.compare(position, myOperators[i].name.size(), myOperators[i].name) == 0) {
            return static_cast<int>(i);
        }
    }
    if (c == '(') return OPEN_MATCH;
    if (c == ')') return CLOSE_MATCH;
    return -1;
}

CInfixToPostfix::Token CInfixToPostfix::ScanToken(const std::string& text, size_t position) const {
    Token token;
    while (position < text.size() && IsBlank(text[position]))
        ++position;
    token.begin = token.end = position;
    if (position >= text.size()) return token;

    const int match = MatchAt(text, position);
    if (match >= 0) {
        token.kind = TOKEN_OPERATOR;
        token.op = match;
        token.end = position + myOperators[match].name.size();
    } else if (match == OPEN_MATCH || match == CLOSE_MATCH) {
        token.kind = match == OPEN_MATCH ? TOKEN_OPEN_PARENTHESIS : TOKEN_CLOSE_PARENTHESIS;
        token.end = position + 1;
    } else {
        // An operand runs up to the next operator or parenthesis, less trailing blanks.
        size_t end = position + 1;
        size_t lastSolid = end;
        while (end < text.size() && MatchAt(text, end) == -1) {
            ++end;
            if (!IsBlank(text[end - 1])) lastSolid = end;
        }
        token.kind = TOKEN_OPERAND;
        token.end = lastSolid;
    }
    return token;
}

CInfixToPostfix::Token CInfixToPostfix::NextToken(const std::string& text, size_t position,
                                                  std::string& signedText,
                                                  size_t& noOperandBefore) const {
    signedText.clear();
    Token token = ScanToken(text, position);
    const bool signAllowed = myPreviousKind == TOKEN_NONE || myPreviousKind == TOKEN_OPERATOR ||
                             myPreviousKind == TOKEN_OPEN_PARENTHESIS;
    if (token.kind != TOKEN_OPERATOR || !signAllowed || !IsSign(myOperators[token.op].name)) {
        return token;
    }
    // This sign belongs to a run already known not to end in an operand.
    if (token.begin < noOperandBefore) return token;
    // A run of signs ending in an operand is one signed operand ("- -5" is
    // "--5"); any other run leaves the first sign an operator. Done by a loop,
    // so a long run of signs cannot exhaust the stack.
    std::string signs = myOperators[token.op].name;
    Token next = ScanToken(text, token.end);
    while (next.kind == TOKEN_OPERATOR && IsSign(myOperators[next.op].name)) {
        signs += myOperators[next.op].name;
        next = ScanToken(text, next.end);
    }
    if (next.kind != TOKEN_OPERAND) {
        // Every later sign of this run would scan to the same end: remember it,
        // so that a long run costs linear time, not quadratic.
        noOperandBefore = next.begin;
        return token;
    }
    signedText = signs;
    signedText.append(text, next.begin, next.end - next.begin);
    token.kind = TOKEN_OPERAND;
    token.end = next.end;
    return token;
}

std::string CInfixToPostfix::GetNextToken(const std::string& text, TokenKind& kind) {
    std::string signedText;
    size_t noOperandBefore = 0;
    Token token = NextToken(text, 0, signedText, noOperandBefore);
    kind = myPreviousKind = token.kind;
    if (!signedText.empty()) return signedText;
    return text.substr(token.begin, token.end - token.begin);
}

std::string CInfixToPostfix::Convert(const std::string& infix) {
    myPreviousKind = TOKEN_NONE;
    std::string output;
    output.reserve(infix.size() + infix.size() / 2 + 16);
    // Operators waiting for their right operand: indices into myOperators, or
    // OPEN_MATCH for an open parenthesis. A vector, so depth costs only memory.
    std::vector<int> stack;
    std::string signedText;
    size_t noOperandBefore = 0;

    auto append = [&](const std::string& text) {
        output += text;
        output += ' ';
    };

    size_t position = 0;
    for (;;) {
        const Token token = NextToken(infix, position, signedText, noOperandBefore);
        myPreviousKind = token.kind;
        position = token.end;
        if (token.kind == TOKEN_NONE) break;

        switch (token.kind) {
            case TOKEN_OPERATOR: {
                const int precedence = myOperators[token.op].precedence;
                while (!stack.empty() && stack.back() != OPEN_MATCH &&
                       precedence <= myOperators[stack.back()].precedence) {
                    append(myOperators[stack.back()].name);
                    stack.pop_back();
                }
                stack.push_back(token.op);
                break;
            }
            case TOKEN_OPEN_PARENTHESIS:
                stack.push_back(OPEN_MATCH);
                break;
            case TOKEN_CLOSE_PARENTHESIS:
                // Without a matching "(" this empties the stack and stops.
                while (!stack.empty() && stack.back() != OPEN_MATCH) {
                    append(myOperators[stack.back()].name);
                    stack.pop_back();
                }
                if (!stack.empty()) stack.pop_back();
                break;
            case TOKEN_OPERAND:
                if (signedText.empty()) {
                    output.append(infix, token.begin, token.end - token.begin);
                    output += ' ';
                } else {
                    append(signedText);
                }
                break;
            case TOKEN_NONE:
                break;
        }
    }

    while (!stack.empty()) {
        append(stack.back() == OPEN_MATCH ? std::string("(") : myOperators[stack.back()].name);
        stack.pop_back();
    }
    if (!output.empty()) output.pop_back();
    return output;
}

}  // namespace vorn
