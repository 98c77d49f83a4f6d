#include "ui/common/WindowHost.h"

#include <algorithm>
#include <vector>

namespace host {
namespace {
struct Family {
    const char* name;
    int order;
    std::function<void(WindowHost&)> install;
};
std::vector<Family>& families()
{
    static std::vector<Family> list;
    return list;
}
} // namespace

void registerFamily(const char* name, int order, std::function<void(WindowHost&)> install)
{
    families().push_back({name, order, std::move(install)});
}

void installFamilies(WindowHost& host)
{
    std::vector<Family> sorted = families();
    std::stable_sort(sorted.begin(), sorted.end(), [](const Family& a, const Family& b) {
        return a.order != b.order ? a.order < b.order : std::string_view(a.name) < std::string_view(b.name);
    });
    for (const Family& f : sorted)
        f.install(host);
}

} // namespace host
