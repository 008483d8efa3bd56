#include "core/model.h"

#include <memory>

namespace {
std::unique_ptr<Model>& instance()
{
    static std::unique_ptr<Model> m = std::make_unique<Model>();
    return m;
}
}

Model& model() { return *instance(); }

void resetModel() { model() = Model{}; }
