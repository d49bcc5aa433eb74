#pragma once

#include <memory>
#include <string>
#include <vector>

namespace vorn {

// A parsed parameter of a console command: a string (type 1) or a number (type 2).
class CVariable {
public:
    enum Type { TYPE_BASE = 0, TYPE_STRING = 1, TYPE_NUMBER = 2 };

    virtual ~CVariable() = default;
    virtual std::string GetString() const { return ""; }
    virtual double GetNumber() const { return 0; }
    virtual void SetString(const std::string&) {}
    virtual void SetNumber(double) {}
    virtual int GetType() const { return TYPE_BASE; }
    virtual bool IsType(int type) const { return type == GetType(); }
};

class CVariableString : public CVariable {
public:
    explicit CVariableString(const std::string& text = "") : myText(text) {}
    std::string GetString() const override { return myText; }
    // The number at the start of the text; 0 when it does not start with one.
    double GetNumber() const override;
    void SetString(const std::string& text) override { myText = text; }
    void SetNumber(double value) override;
    int GetType() const override { return TYPE_STRING; }

private:
    std::string myText;
};

class CVariableNumber : public CVariable {
public:
    explicit CVariableNumber(double value = 0) : myValue(value) {}
    std::string GetString() const override;
    double GetNumber() const override { return myValue; }
    void SetString(const std::string& text) override;
    void SetNumber(double value) override { myValue = value; }
    int GetType() const override { return TYPE_NUMBER; }

private:
    double myValue;
};

// The parameters of one command call, consumed from the front by commands.
class CVariableList {
public:
    CVariableList() = default;
    CVariableList(const CVariableList&) = delete;
    CVariableList& operator=(const CVariableList&) = delete;

    size_t Size() const { return myItems.size(); }
    bool Empty() const { return myItems.empty(); }
    // Takes ownership.
    void PushBack(CVariable* variable) { myItems.emplace_back(variable); }
    // Null for an index out of range.
    CVariable* Get(size_t index) const {
        return index < myItems.size() ? myItems[index].get() : nullptr;
    }
    bool IsType(size_t index, int type) const {
        return index < myItems.size() && myItems[index]->IsType(type);
    }
    double GetNumber(size_t index) const {
        return index < myItems.size() ? myItems[index]->GetNumber() : 0;
    }
    std::string GetString(size_t index) const {
        return index < myItems.size() ? myItems[index]->GetString() : "";
    }
    // Deletes the first element; nothing happens on an empty list.
    void RemoveFirst() {
        if (!myItems.empty()) myItems.erase(myItems.begin());
    }
    void DeleteAll() { myItems.clear(); }

private:
    std::vector<std::unique_ptr<CVariable>> myItems;
};

// Conversions with the console's number rules: default stream formatting
// (six significant digits); text that holds no number reads as 0.
std::string NumberToString(double value);
double StringToNumber(const std::string& text);

}  // namespace vorn
