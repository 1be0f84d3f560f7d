#pragma once
// Board objects are drawn from the lowest height up. Both the level's object list and
// each tile's list keep that order with a stable sort, so objects of equal height
// keep the order in which they were listed. A missing object never sorts before
// another, and a height that is not a number counts as 0.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "game/objects/PyxEntityGameObject.h"

inline float SortHeight(const PyxEntityGameObject* object) {
    if (!object) {
        return std::numeric_limits<float>::infinity();
    }
    const float height = object->Height();
    return std::isnan(height) ? 0.0f : height;
}

// `objectOf` gives the object of an element (or null).
template <typename T, typename ObjectOf>
void StableSortByHeight(std::vector<T>& items, ObjectOf objectOf) {
    std::stable_sort(items.begin(), items.end(), [&](const T& a, const T& b) {
        return SortHeight(objectOf(a)) < SortHeight(objectOf(b));
    });
}
