#include <gtest/gtest.h>

#include "vorn/designpatterns/factory/CPlugFactory.h"
#include "vorn/utils/containers/CAnyContainer.h"
#include "vorn/utils/containers/CAutoList.h"
#include "vorn/utils/math/CRect.h"
#include "vorn/utils/smartptr/CSmartPtr.h"
#include "vorn/utils/string/StringUtils.h"

using namespace vorn;

namespace {

TEST(StringUtilsTest, QuoteRuleAndSplitting) {
    EXPECT_EQ(Trim("\t a \t"), "a");
    EXPECT_EQ(FindOutsideQuotes("x\"::\"::", "::"), 5u);
    EXPECT_EQ(FindOutsideQuotes("x\"::", "::"), std::string::npos)
        << "unpaired quote hides the rest";
    EXPECT_EQ(FindFirstOfOutsideQuotes("\"a=b\";c=d", "=;"), 5u);
    EXPECT_EQ(SplitOutsideQuotes("a,,b", ","), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitOutsideQuotes(",a,", ","), (std::vector<std::string>{"a"}));
    EXPECT_EQ(SplitOutsideQuotes("a::b::c", "::"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ReplaceAll("a\\b\\c", "\\", "/"), "a/b/c");
}

struct Shared {
    static inline int alive = 0;
    Shared() { ++alive; }
    ~Shared() { --alive; }
};

TEST(CSmartPtrTest, CountsAcrossIndependentPointersAndDeletesOnce) {
    Shared* raw = new Shared;
    {
        CSmartPtr<Shared> a(raw);
        CSmartPtr<Shared> b(raw);  // made independently: shares the count
        CSmartPtr<Shared> c = std::move(a);
        EXPECT_EQ(b.GetRefCount(), 2);
        EXPECT_FALSE(a);
        b = c;
        EXPECT_EQ(c.GetRefCount(), 2);
        c.Reset(new Shared);
        EXPECT_EQ(Shared::alive, 2);
    }
    EXPECT_EQ(Shared::alive, 0);
}

struct Listed : CAutoList<Listed> {};

TEST(CAutoListTest, ListLivesExactlyAsLongAsItsInstances) {
    EXPECT_EQ(Listed::GetList(), nullptr);
    {
        Listed a;
        Listed b(a);
        ASSERT_NE(Listed::GetList(), nullptr);
        EXPECT_EQ(Listed::GetList()->size(), 2u);
    }
    EXPECT_EQ(Listed::GetList(), nullptr);
}

struct Base {
    virtual ~Base() = default;
    virtual int Id() const = 0;
};
struct One : Base {
    int Id() const override { return 1; }
};
struct Two : Base {
    int Id() const override { return 2; }
};

TEST(CPlugFactoryTest, FirstRegistrationWins) {
    CPlugFactory<std::string, Base> factory;
    EXPECT_TRUE(factory.Register("x", new CTemplateMaker<One, Base>));
    EXPECT_FALSE(factory.Register("x", new CTemplateMaker<Two, Base>));
    std::unique_ptr<Base> made(factory.Create("x"));
    EXPECT_EQ(made->Id(), 1);
    EXPECT_EQ(factory.Create("y"), nullptr);
}

TEST(CRectTest, InsideIntersectionAndUnion) {
    const CRect<int> r(10, 20, 30, 40);
    EXPECT_TRUE(r.IsPointInside(10, 20));
    EXPECT_FALSE(r.IsPointInside(40, 20)) << "right edge is outside";
    EXPECT_FALSE(r.IsPointInside(10, 60));
    EXPECT_EQ(r.Intersection(CRect<int>(30, 50, 100, 100)), CRect<int>(30, 50, 10, 10));
    EXPECT_TRUE(r.Intersection(CRect<int>(40, 20, 5, 5)).IsEmpty());
    EXPECT_EQ(r.Union(CRect<int>(0, 0, 5, 5)), CRect<int>(0, 0, 40, 60));
    EXPECT_EQ(r.Union(CRect<int>()), r);
}

TEST(CAnyContainerTest, ConvertsThroughText) {
    EXPECT_EQ(AnyCast<int>(CAnyContainer(std::string("12"))), 12);
    EXPECT_EQ(CAnyContainer(12).GetString(), "12");
    EXPECT_EQ(CAnyContainer(0.5f).GetString(), "0.5");
    EXPECT_EQ(CAnyContainer(true).GetString(), "1");
    EXPECT_EQ(AnyCast<std::string>(CAnyContainer("two words")), "two words");
    CAnyContainer copy = CAnyContainer(7u);
    CAnyContainer other;
    other = copy;
    EXPECT_EQ(AnyCast<unsigned>(other), 7u);
    EXPECT_EQ(AnyCast<int>(CAnyContainer("junk")), 0);
    EXPECT_TRUE(CAnyContainer().GetString().empty());

    int value = 5;
    CVarRef<int> readOnly(&value, "v", true);
    readOnly.SetValue("9");
    EXPECT_EQ(value, 5);
    EXPECT_EQ(readOnly.GetTypeName(), typeid(int).name());
    CVarRefEmpty<std::string> text("t");
    text.SetValue("  two words ");
    EXPECT_EQ(text.GetValue(), "  two words ");
}

}  // namespace

namespace {

TEST(CRectTest, RectanglesNearTheIntLimitsDoNotOverflow) {
    const int big = std::numeric_limits<int>::max();
    const CRect<int> far(big - 10, big - 10, 100, 100);
    EXPECT_TRUE(far.IsPointInside(big - 1, big - 1));
    EXPECT_EQ(far.Intersection(CRect<int>(big - 5, big - 5, 50, 50)),
              CRect<int>(big - 5, big - 5, 50, 50));
    const CRect<int> wide = CRect<int>(-big, 0, 10, 10).Union(CRect<int>(big - 10, 0, 10, 10));
    EXPECT_EQ(wide.w, big) << "the size is capped, not wrapped";
}

}  // namespace
