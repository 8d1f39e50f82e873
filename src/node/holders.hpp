// Objects shared by the wrappers that hold them, with the count of their holders kept in the
// object. Not atomic: a tree and every wrapper into it are used by one thread at a time.
#ifndef TOVALIN_NODE_HOLDERS_HPP
#define TOVALIN_NODE_HOLDERS_HPP

namespace tovalin::detail {

// Counts one more holder of the object, if there is one, and gives it back.
template <class Shared>
Shared* hold(Shared* shared) noexcept {
    if (shared != nullptr) ++shared->holders;
    return shared;
}

// Counts one holder less; the last one deletes the object.
template <class Shared>
void letGo(Shared* shared) noexcept {
    if (shared != nullptr && --shared->holders == 0) delete shared;
}

}  // namespace tovalin::detail

#endif
