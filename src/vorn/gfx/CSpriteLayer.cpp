#include "vorn/gfx/CSpriteLayer.h"

#include <algorithm>
#include <climits>

namespace vorn {

namespace {

int LevelBelow(int level) {
    return level > INT_MIN ? level - 1 : level;
}

template <class T>
bool Contains(const std::vector<T*>& list, const T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <class T>
bool RemoveFrom(std::vector<T*>& list, const T* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

}  // namespace

CSpriteLayer::~CSpriteLayer() {
    ReleaseChildren();
}

void CSpriteLayer::ReleaseChildren() {
    std::vector<CSprite*> children;
    children.swap(myChildren);
    children.insert(children.end(), myHidden.begin(), myHidden.end());
    myHidden.clear();
    for (CSprite* child : children)
        child->OnLayerDestroyed(this);
}

bool CSpriteLayer::Empty() const {
    return myChildren.empty();
}

void CSpriteLayer::RaiseDirtyLevel(int level) {
    myDirtyLevel = std::max(myDirtyLevel, level);
}

bool CSpriteLayer::EraseUpTo(CSprite* sprite, int* frontZ) {
    auto it = std::find(myChildren.begin(), myChildren.end(), sprite);
    if (it == myChildren.end()) return false;
    const size_t index = size_t(it - myChildren.begin());
    for (size_t i = 0; i <= index; ++i)
        myChildren[i]->Erase(myTarget);
    if (index > 0 && frontZ) *frontZ = myChildren[index - 1]->GetZ();
    return true;
}

void CSpriteLayer::InsertSorted(CSprite* sprite) {
    // In front of the children of equal depth: it is drawn after them.
    size_t i = 0;
    for (; i < myChildren.size(); ++i) {
        if (myChildren[i]->GetZ() >= sprite->GetZ()) break;
        myChildren[i]->Erase(myTarget);
    }
    myChildren.insert(myChildren.begin() + i, sprite);
    RaiseDirtyLevel(sprite->GetZ());
}

void CSpriteLayer::AddChild(CSprite* sprite) {
    if (!sprite || sprite == this || Contains(myChildren, sprite)) return;
    RemoveFrom(myHidden, sprite);
    MarkDirty();
    InsertSorted(sprite);
}

void CSpriteLayer::RemoveChild(CSprite* sprite) {
    if (RemoveFrom(myHidden, sprite)) return;  // hidden sprites are erased already
    if (!Contains(myChildren, sprite)) return;
    MarkDirty();
    int frontZ = INT_MIN;
    EraseUpTo(sprite, &frontZ);
    RaiseDirtyLevel(frontZ);
    RemoveFrom(myChildren, sprite);
}

void CSpriteLayer::SortByZ() {
    std::stable_sort(myChildren.begin(), myChildren.end(),
                     [](const CSprite* a, const CSprite* b) { return a->GetZ() < b->GetZ(); });
}

void CSpriteLayer::OnZChanged(int level) {
    MarkDirty();
    for (CSprite* child : myChildren) {
        if (child->GetZ() > level) break;
        child->Erase(myTarget);
    }
    RaiseDirtyLevel(level);
}

void CSpriteLayer::OnSpriteDirty(CSprite* sprite) {
    if (!Contains(myChildren, sprite)) return;
    MarkDirty();
    // Behind the dirty level everything in front of the sprite is erased
    // already, so the sprite itself may go first.
    if (myDirtyLevel > sprite->GetZ()) sprite->Erase(myTarget);
    EraseUpTo(sprite, nullptr);
    RaiseDirtyLevel(sprite->GetZ());
}

void CSpriteLayer::HideSprite(CSprite* sprite) {
    if (!Contains(myChildren, sprite)) return;
    MarkDirty();
    int frontZ = INT_MIN;
    EraseUpTo(sprite, &frontZ);
    RaiseDirtyLevel(frontZ);
    RemoveFrom(myChildren, sprite);
    myHidden.push_back(sprite);
}

void CSpriteLayer::ShowSprite(CSprite* sprite) {
    if (!RemoveFrom(myHidden, sprite)) return;
    MarkDirty();
    InsertSorted(sprite);
}

bool CSpriteLayer::Redraw(CSprite* target) {
    // A layer inside a layer erases onto what its parent draws on.
    if (!myTarget) myTarget = target;
    myDirty = false;
    myDrawState = STATE_DRAWN;
    if (myChildren.empty() || myChildren.front()->GetZ() > myDirtyLevel) return false;
    int level = myDirtyLevel;
    for (size_t i = myChildren.size(); i-- > 0;) {
        CSprite* child = myChildren[i];
        if (child->GetZ() > level) continue;
        child->Redraw(target);
        level = child->GetZ();
    }
    myDirtyLevel = LevelBelow(level);
    return true;
}

bool CSpriteLayer::Erase(CSprite* target) {
    if (!myTarget) myTarget = target;
    for (CSprite* child : myChildren)
        child->Erase(target);
    if (!myChildren.empty()) RaiseDirtyLevel(myChildren.back()->GetZ());
    myDrawState = STATE_ERASED;
    return true;
}

}  // namespace vorn
