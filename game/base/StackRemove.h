#ifndef VORLANE_GAME_STACKREMOVE_H
#define VORLANE_GAME_STACKREMOVE_H

#include "engine/util/Stack.h"

// Removes the first entry equal to item by moving the last entry into its
// slot; the order of the list is not kept. Returns false when item is absent.
template <typename T, typename U>
bool stackRemove(quenth::Stack<T*>& list, U* item) {
    for (unsigned i = 0; i < list.count; ++i) {
        if (list.data[i] == item) {
            list.data[i] = list.data[list.count - 1];
            --list.count;
            return true;
        }
    }
    return false;
}

// True when item is in the list.
template <typename T, typename U>
bool stackContains(quenth::Stack<T*> const& list, U* item) {
    for (unsigned i = 0; i < list.count; ++i)
        if (list.data[i] == item) return true;
    return false;
}

#endif
