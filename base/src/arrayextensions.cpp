#include "tavrin/arrayextensions.h"

#include <QDateTime>
#include <QFileInfo>

#include <limits>
#include <utility>

namespace tavrin {

std::vector<double> ArrayExtensions::cgFloatValues(const std::vector<platform::Number> &numbers)
{
    std::vector<double> out;
    out.reserve(numbers.size());
    for (const auto &n : numbers)
        out.push_back(static_cast<double>(n.floatValue()));
    return out;
}

std::optional<QUrl> ArrayExtensions::mostRecentlyModified(const std::vector<QUrl> &urls)
{
    std::vector<std::pair<QUrl, qint64>> dated;
    dated.reserve(urls.size());
    for (const QUrl &url : urls) {
        const QFileInfo info(url.toLocalFile());
        const QDateTime modified = url.isLocalFile() && info.exists() ? info.lastModified() : QDateTime();
        dated.emplace_back(url, modified.isValid() ? modified.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min());
    }
    std::stable_sort(dated.begin(), dated.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    if (dated.empty())
        return std::nullopt;
    return dated.front().first;
}

void ArrayExtensions::removeAllSublayers(std::vector<std::shared_ptr<platform::ui::Layer>> &layers)
{
    for (const auto &layer : layers)
        if (layer)
            layer->removeFromSuperlayer();
    std::vector<std::shared_ptr<platform::ui::Layer>>().swap(layers);
}

} // namespace tavrin
