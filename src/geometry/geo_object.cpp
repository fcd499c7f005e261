// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/geo_object.h"

#include <algorithm>

namespace kestrane {

void GeoObject::bind(std::string name, std::string scope)
{
    names.push_back(NameBinding{std::move(name), std::move(scope)});
}

bool GeoObject::isNamed(std::string_view name, std::string_view scope) const
{
    return std::any_of(names.begin(), names.end(),
                       [&](const NameBinding& binding) { return binding.matches(name, scope); });
}

int GeoObject::unbind(std::string_view name, std::string_view scope)
{
    return static_cast<int>(std::erase_if(
        names, [&](const NameBinding& binding) { return binding.matches(name, scope); }));
}

int GeoObject::unbindScope(std::string_view scope)
{
    return static_cast<int>(
        std::erase_if(names, [&](const NameBinding& binding) { return binding.scope == scope; }));
}

} // namespace kestrane
