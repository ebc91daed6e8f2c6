// An object variable: it may be empty, and using it while empty is run-time
// error 91 (Object variable or With block variable not set). Holds the outside
// components and the record sets of the rules object.
#pragma once

#include "core/RuntimeError.h"

#include <memory>

template <typename T> class ObjectRef
{
public:
    ObjectRef() = default;
    ObjectRef(std::unique_ptr<T> object) : m_object(std::move(object)) {}

    T *operator->() const { return &get(); }
    T &operator*() const { return get(); }
    T &get() const
    {
        if (!m_object)
            throw rt::RuntimeError::standard(rt::ObjectNotSet);
        return *m_object;
    }

    bool isEmpty() const { return !m_object; }
    void reset() { m_object.reset(); }

private:
    std::unique_ptr<T> m_object;
};
