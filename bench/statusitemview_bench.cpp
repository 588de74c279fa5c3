// Rendering a status item's picture: a 60 × 22 view with a device symbol, a level bar with its
// outline, a percentage text and a charging bolt on a layer, rendered offscreen 1,000 times.
#include "benchmain.h"

#include <platform/ui/graphicscontext.h>
#include <platform/ui/layer.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/text.h>
#include <platform/ui/view.h>
#include <tavrin/images.h>

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace platform::ui;

namespace {

class LevelView : public View {
public:
    LevelView()
        : View(Rect(0, 0, 60, 22))
    {
        setWantsLayer(true);
        m_bolt->setFrame(Rect(25.5, 6.5, 9, 9));
        m_bolt->setContents(tavrin::Images::tintedSymbol(QStringLiteral("bolt.fill"), Color::label()));
        m_bolt->setContentsGravity(ContentsGravity::resizeAspect);
        layer()->addSublayer(m_bolt);
    }

    void drawRect(GraphicsContext &ctx, const Rect &) override
    {
        ctx.drawImage(m_symbol, Rect(1, 3, 18, 16));
        StrokeStyle outline;
        outline.color = Color::label();
        outline.lineWidth = 1;
        ctx.strokePath(Path::roundedRect(Rect(21.5, 5.5, 16, 11), 2.5, 2.5), outline);
        ctx.fillRoundedRect(Rect(23, 7, 13 * 0.85, 8), 1.5, 1.5, Color::systemGreen());
        TextAttributes attributes;
        attributes.font = Font::monospacedDigitSystemFont(9, FontWeight::medium);
        attributes.foregroundColor = Color::label();
        const QString text = QStringLiteral("85%");
        const Size size = Text::size(text, attributes);
        ctx.drawText(text, Rect(59 - size.width, (22 - size.height) / 2, size.width, size.height), attributes);
    }

private:
    Image m_symbol = tavrin::Images::tintedSymbol(QStringLiteral("keyboard"), Color::label());
    std::shared_ptr<Layer> m_bolt = Layer::create();
};

void BM_RenderStatusItemView(benchmark::State &state)
{
    const double scale = double(state.range(0));
    ScopedAppearance dark(Appearance::darkAqua());
    LevelView view;
    for (auto _ : state) {
        QImage picture = view.renderToImage({ 60, 22 }, scale);
        benchmark::DoNotOptimize(picture);
    }
    const QImage last = view.renderToImage({ 60, 22 }, scale);
    if (last.size() != QSize(int(60 * scale), int(22 * scale)))
        state.SkipWithError("the picture has the wrong size");
}
BENCHMARK(BM_RenderStatusItemView)->Arg(1)->Arg(2)->Iterations(1000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks<QApplication>(argc, argv); }
