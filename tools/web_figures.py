#!/usr/bin/python3
"""Figures of the browser pages, for the record: web_figures.py [SITE] (default build-web/site, or
TARNWICK_SITE). Serves the site on 127.0.0.1 and opens each page in headless Chromium (the
end-to-end driver's session), then prints per page the bytes it fetched (as served here,
uncompressed with headers, and as a static host sending gzip would), the time from navigation
to its first frame (first visit and again from the cache), the CPU Chromium uses while the game
runs idle with a map loaded, and the rules' worst frame and a fight tick timed inside a page
(bench.html, built beside the site in bench/, or TARNWICK_BENCH)."""

import gzip, json, os, sys, time  # noqa: E401

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
if len(sys.argv) > 1:
    os.environ["TARNWICK_SITE"] = os.path.abspath(sys.argv[1])
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e", "drivers"))
import web  # noqa: E402

IDLE_SECONDS = 10
BENCH = os.environ.get("TARNWICK_BENCH") or os.path.join(os.path.dirname(web.SITE), "bench")


def gzipped(path):
    """What a static host sending gzip sends of the file: gzipped at level 6, unless that is no
    smaller (pictures, fonts: hosts send those as they are)."""
    data = open(path, "rb").read()
    return min(len(data), len(gzip.compress(data, compresslevel=6)))


def fetched(d):
    """(url, bytes on the wire) of each response the page finished loading since the last call."""
    urls = {e["params"]["requestId"]: e["params"]["response"]["url"] + (
        " (HTTP %d)" % e["params"]["response"]["status"] if e["params"]["response"]["status"] >= 400 else "")
            for e in d.tools.taken("Network.responseReceived", d.page.session)}
    found = [(urls.get(e["params"]["requestId"], "?"), int(e["params"]["encodedDataLength"]))
             for e in d.tools.taken("Network.loadingFinished", d.page.session)]
    return [f for f in found if f[0].startswith("http")], len(found)  # blob: and data: URLs cost no transfer


def first_frame(d, program, reload=False):
    """Seconds from navigation to the first frame: the page's own clock if it keeps it, else ours."""
    waited = d.open(program, reload=reload)
    at = d.page.js("typeof tarnwick.readyAt === 'number' ? tarnwick.readyAt : null")
    return (at / 1000, "the page's clock") if at is not None else (waited, "polled from outside")


def page_figures(d, program):
    d.page.call("Network.enable")
    d.page.call("Network.setCacheDisabled", cacheDisabled=True)
    d.tools.taken("Network.loadingFinished", d.page.session)
    cold, clock = first_frame(d, program)
    time.sleep(1)  # fonts and icons asked for after the first frame
    files, requests = fetched(d)
    print("%s (%s):" % (program, web.PAGES[program]))
    total = zipped = 0
    for url, wire in sorted(files):
        name = url[len(d.site):] if url.startswith(d.site) else url
        local = os.path.join(web.SITE, name.split("?")[0].split(" ")[0])
        packed = gzipped(local) if os.path.isfile(local) else wire
        total, zipped = total + wire, zipped + packed
        print("  %-36s %9d bytes served, %9d gzipped" % (name, wire, packed))
    print("  %-36s %9d bytes served, %9d gzipped, %d requests over the network (%d in all)" % (
        "total", total, zipped, len(files), requests))
    d.page.call("Network.setCacheDisabled", cacheDisabled=False)
    warm, _ = first_frame(d, program, reload=True)
    print("  navigation to first frame: %.0f ms first visit, %.0f ms from the cache (%s)" % (
        cold * 1000, warm * 1000, clock))
    d.page.call("Network.disable")


def timings(d):
    """The game page's own timings, where it keeps them."""
    found = d.page.js("typeof tarnwick.timings === 'undefined' ? null : tarnwick.timings")
    return "n/a (the page keeps no tarnwick.timings)" if found is None else json.dumps(found, sort_keys=True)


def bench_figures(d):
    """The rules' heaviest work timed by the bench page, served from its own folder."""
    if not all(os.path.isfile(os.path.join(BENCH, f)) for f in ("bench.html", "tarnwick.js")):
        print("rules timed in a page: n/a (no bench.html with its tarnwick.js in %s)" % BENCH)
        return
    served = d.daemon("/usr/bin/python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", BENCH)
    d.page.log()
    d.page.call("Page.navigate", url="http://127.0.0.1:%s/bench.html" % served.split(" port ")[1].split()[0])
    found = web.wait_for("the bench page's figures", lambda: d.page.js(
        "window.tarnwickBench && tarnwickBench.done ? tarnwickBench : null"), timeout=600, interval=0.5)
    for line in d.page.log():  # "the fight ended", say: the figures themselves are printed below
        if ": median " not in line:
            print("the bench page's " + line)
    for name, figure in sorted(found.items()):
        if name != "done":
            print("%s, timed in the page: median %.1f us, slowest sample %.1f us, %d runs" % (
                name, figure["median_us"], figure["worst_us"], figure["runs"]))


def main():
    print("site: %s" % web.SITE)
    print("every file of the site, as it is and as a host sending gzip (level 6) sends it:")
    for name in sorted(os.listdir(web.SITE)):
        path = os.path.join(web.SITE, name)
        for inner in sorted(os.listdir(path)) if os.path.isdir(path) else [None]:
            file = os.path.join(path, inner) if inner else path
            print("  %-34s %9d bytes, %9d gzipped" % (os.path.relpath(file, web.SITE), os.path.getsize(file),
                                                      gzipped(file)))
    with web.Session("figures") as d:
        d.launch()
        # The browser's first page of the site starts its renderer: not the page's time.
        d.page.call("Page.navigate", url=d.site + "tarnwick.css")
        for program in ("game", "editor"):
            page_figures(d, program)
        d.start("game")
        d.choose("Jugador Nuevo", "personajes/Cifras")
        web.wait_for("the hero saved", lambda: d.page.js("!tarnwick.busy"))
        d.choose("Cargar mapa", "mapas/default.mapa")
        d.see("nenemigos", "Enemigos: %d" % d.read("mapas/default.mapa").count("/unit/"))
        time.sleep(1)
        cpu, seconds = d.idle(IDLE_SECONDS)
        print("game idle with default.mapa: %.2f %% of one core over %.0f s%s" % (cpu, seconds, d.counted))
        print("renderer resident memory: %.1f MB" % d.resident_mb())
        print("game page's timings: %s" % timings(d))
        bench_figures(d)


if __name__ == "__main__":
    main()
