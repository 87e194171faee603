#pragma once

// Visitors called by the tree walks at every node they reach. Each receives the handle of the node
// and may replace the node through it; the walks then go on with the replacement.

#include "model/COperation.h"

#include <cstdint>
#include <functional>
#include <utility>

class CMethod {
public:
    virtual ~CMethod() = default;
    virtual void Apply(NodeHandle handle) = 0;
};

// Calls a function of the handle.
class CSimpleMethod : public CMethod {
public:
    using Callback = std::function<void(NodeHandle)>;
    explicit CSimpleMethod(Callback callback) : m_callback(std::move(callback)) {}
    void Apply(NodeHandle handle) override { m_callback(handle); }

private:
    Callback m_callback;
};

// Calls a function of the handle and of the visitor's own flag. The flag starts at the value given
// at construction and keeps its value when the function is exchanged between walks; the caller
// reads it after the walk.
class CTestMethod : public CMethod {
public:
    using Callback = std::function<void(NodeHandle, std::int32_t*)>;
    CTestMethod(Callback callback, std::int32_t initialFlag)
        : m_callback(std::move(callback)), m_flag(initialFlag) {}
    void Apply(NodeHandle handle) override { m_callback(handle, &m_flag); }

    void SetCallback(Callback value) { m_callback = std::move(value); }
    std::int32_t Flag() const { return m_flag; }
    void SetFlag(std::int32_t value) { m_flag = value; }

private:
    Callback m_callback;
    std::int32_t m_flag;
};

// Calls a function of the handle and of a pointer the caller gave at construction.
class CVariableMethod : public CMethod {
public:
    using Callback = std::function<void(NodeHandle, void*)>;
    CVariableMethod(Callback callback, void* data) : m_callback(std::move(callback)), m_data(data) {}
    void Apply(NodeHandle handle) override { m_callback(handle, m_data); }

private:
    Callback m_callback;
    void* m_data;
};
