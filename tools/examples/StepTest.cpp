// The trial run used while tuning a plant: loads a written example, runs an
// hour of plant time with a 10 % setpoint step on every controller, prints
// what each loop did and draws the trends into a picture.
#include "StepTest.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "Drawing.h"
#include "core/NumberText.h"
#include "project/ProjectFile.h"

namespace kivo::examples {
namespace {

struct Series {
    std::vector<double> pv, sp, mv;
};

// Draws the samples from start to end (indexes of the one-second series).
void Plot(const std::vector<Series>& all, const std::vector<std::string>& tags, std::size_t start, std::size_t end,
             const std::filesystem::path& output) {
    std::vector<Series> s;
    for (const Series& x : all) {
        auto clip = [&](const std::vector<double>& v) {
            const std::size_t f = std::min(end, v.size());
            return std::vector<double>(v.begin() + static_cast<std::ptrdiff_t>(std::min(start, f)),
                                       v.begin() + static_cast<std::ptrdiff_t>(f));
        };
        s.push_back({clip(x.pv), clip(x.sp), clip(x.mv)});
    }
    const int w = 900, hPanel = 160;
    Canvas t(w, hPanel * static_cast<int>(s.size()) + 10, Colour{255, 255, 255}, 1);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double y0 = 5 + hPanel * static_cast<double>(i);
        t.Frame(40, y0, w - 50, hPanel - 20, 1, Colour{160, 160, 160});
        for (int g = 1; g < 4; ++g)
            t.Line({40, y0 + (hPanel - 20) * g / 4.0}, {w - 10, y0 + (hPanel - 20) * g / 4.0}, 1,
                    Colour{225, 225, 225});
        // Vertical scale fitted to the curves, at least 10 % high.
        double lo = 1e9, hi = -1e9;
        for (const auto* v : {&s[i].pv, &s[i].sp, &s[i].mv})
            for (double x : *v) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
        if (hi - lo < 10) {
            const double middle = (hi + lo) / 2;
            lo = middle - 5;
            hi = middle + 5;
        }
        t.Text(44, y0 + 4, tags[i] + "  " + FormatFixed(lo, 1, 1) + " .. " + FormatFixed(hi, 1, 1), 1.4,
                Colour{0, 0, 0});
        auto curve = [&](const std::vector<double>& v, Colour c) {
            std::vector<Point> p;
            for (std::size_t k = 0; k < v.size(); ++k)
                p.push_back({40 + (w - 50) * static_cast<double>(k) / static_cast<double>(v.size()),
                             y0 + (hPanel - 20) * (1 - (v[k] - lo) / (hi - lo))});
            t.Polyline(p, 1.2, c);
        };
        curve(s[i].mv, Colour{0, 150, 0});
        curve(s[i].sp, Colour{0, 0, 220});
        curve(s[i].pv, Colour{220, 0, 0});
    }
    t.Final().WriteBmp(output);
}

}  // namespace

int RunStepTest(const std::filesystem::path& file, const std::filesystem::path& plot, double seconds, double T,
           double zoom) {
    Project p;
    const LoadResult r = ReadProject(p, file, LoadOptions{true, nullptr});
    if (!r.ok) {
        std::cerr << r.error << "\n";
        return 1;
    }
    for (const auto& m : r.messages) std::cout << "message: " << m << "\n";

    std::vector<int> active;
    for (int n = 1; n <= 10; ++n)
        if (p.controller(n)) active.push_back(n);
    std::vector<Series> series(active.size());
    std::vector<double> atLimit(active.size(), 0);
    const long long N = static_cast<long long>(std::llround(seconds / T));
    const long long perSecond = std::max(1LL, std::llround(1 / T));
    bool step = false;
    bool finite = true;
    p.sim.RunWithoutDisplay(
        N, T,
        [&](long long h) {
            if (!step && Round(100.0 * static_cast<double>(h) / static_cast<double>(N)) > 10) {
                step = true;
                for (int n : active) p.controller(n)->state.SP += 10;
            }
        },
        [&](long long h) {
            for (int k = 1; k <= 124; ++k) finite = finite && std::isfinite(p.sim.mem[k]);
            if ((h + 1) % perSecond != 0) return true;
            for (std::size_t i = 0; i < active.size(); ++i) {
                const Controller& c = *p.controller(active[i]);
                series[i].pv.push_back(p.sim.mem[c.pvAddress()]);
                series[i].sp.push_back(p.sim.mem[60 + active[i]]);
                series[i].mv.push_back(p.sim.mem[active[i]]);
                if (c.state.MV <= c.COmin() || c.state.MV >= c.COmax()) atLimit[i] += 1;
            }
            return true;
        });

    std::vector<std::string> tags;
    std::printf("%s: %s\n", file.filename().string().c_str(), finite ? "finite" : "NOT FINITE");
    for (std::size_t i = 0; i < active.size(); ++i) {
        const Controller& c = *p.controller(active[i]);
        const Series& s = series[i];
        const std::size_t n = s.pv.size();
        const std::size_t start = n - std::min<std::size_t>(n, 300);
        double endError = 0, startDeviation = 0, iae = 0;
        for (std::size_t k = start; k < n; ++k) endError += (s.pv[k] - s.sp[k]) / static_cast<double>(n - start);
        const std::size_t oneStep = n / 10;
        for (std::size_t k = 0; k < oneStep; ++k) startDeviation = std::max(startDeviation, std::fabs(s.pv[k] - s.pv[0]));
        for (std::size_t k = oneStep; k < n; ++k) iae += std::fabs(s.pv[k] - s.sp[k]);
        double mvMin = 1e9, mvMax = -1e9;
        for (double v : s.mv) {
            mvMin = std::min(mvMin, v);
            mvMax = std::max(mvMax, v);
        }
        std::printf("  %-10s %s PV %6s SP %6s MV %6s  end err %7s  start dev %6s  IAE %8s  MV %6s..%6s  limit %4s%%\n",
                    c.TagText.c_str(), c.state.autoMode ? (c.state.localMode ? "A/L" : "A/R") : "M  ",
                    FormatFixed(s.pv.front(), 1, 2).c_str(), FormatFixed(s.sp.front(), 1, 2).c_str(),
                    FormatFixed(s.mv.front(), 1, 2).c_str(), FormatFixed(endError, 1, 3).c_str(),
                    FormatFixed(startDeviation, 1, 2).c_str(), FormatFixed(iae, 1, 0).c_str(),
                    FormatFixed(mvMin, 1, 1).c_str(), FormatFixed(mvMax, 1, 1).c_str(),
                    FormatFixed(100 * atLimit[i] / static_cast<double>(n), 1, 0).c_str());
        tags.push_back(c.TagText);
    }
    if (!plot.empty() && !series.empty()) {
        const std::size_t oneStep = series[0].pv.size() / 10;
        if (zoom > 0)
            Plot(series, tags, oneStep > 60 ? oneStep - 60 : 0, oneStep + static_cast<std::size_t>(zoom), plot);
        else
            Plot(series, tags, 0, series[0].pv.size(), plot);
    }
    return finite ? 0 : 2;
}

}  // namespace kivo::examples
