#pragma once

#include <map>
#include <memory>
#include <vector>

namespace vorn {

// A maker creates new instances of one concrete type behind the interface Base.
template <class Base>
class CGenericMaker {
public:
    virtual ~CGenericMaker() = default;
    // Returns a new instance; the caller owns it.
    virtual Base* Create() = 0;
};

// Maker of default-constructed T.
template <class T, class Base = T>
class CTemplateMaker : public CGenericMaker<Base> {
public:
    Base* Create() override { return new T; }
};

// Registry from a key to an owned maker. The first registration of a key wins:
// a later maker for the same key is destroyed.
template <class Key, class Base>
class CPlugFactory {
public:
    using Maker = CGenericMaker<Base>;

    // Takes ownership of maker. Returns false (and destroys maker) when key is taken.
    bool Register(const Key& key, Maker* maker) {
        std::unique_ptr<Maker> owned(maker);
        if (!owned || myMakers.count(key)) return false;
        myMakers.emplace(key, std::move(owned));
        return true;
    }

    bool IsRegistered(const Key& key) const { return myMakers.count(key) != 0; }

    // A new instance of the type registered under key, or null.
    Base* Create(const Key& key) const {
        auto it = myMakers.find(key);
        return it == myMakers.end() ? nullptr : it->second->Create();
    }

    std::vector<Key> GetKeys() const {
        std::vector<Key> keys;
        for (const auto& entry : myMakers)
            keys.push_back(entry.first);
        return keys;
    }

private:
    std::map<Key, std::unique_ptr<Maker>> myMakers;
};

}  // namespace vorn
