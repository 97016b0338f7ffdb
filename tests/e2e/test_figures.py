#!/usr/bin/python3
"""Figures for the record, printed and not asserted: time to the first
window, CPU of 30 seconds of idle play, and memory with the largest map."""

import os
import time

from harness import Session, run, wait_for

TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


def rss_mb(pid):
    for line in open("/proc/%d/status" % pid):
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return 0.0


def test():
    with Session("figures") as s:
        shown = s.start("TarnwickQuest")
        print("start to window shown: %.2f s" % shown)
        s.menu("Jugador Nuevo")
        s.file_dialog("Ida")
        s.menu("Cargar mapa")
        s.file_dialog(s.path("mapas", "default.mapa"))
        s.wait_label("nenemigos", lambda t: t.startswith("Enemigos: ") and t != "Enemigos: ")
        pid = s.program.pid
        before, started = cpu_seconds(pid), time.monotonic()
        time.sleep(30)
        used = cpu_seconds(pid) - before
        elapsed = time.monotonic() - started
        print("idle play, 10 ticks a second: %.2f %% of one core over %.0f s"
              % (100 * used / elapsed, elapsed))

        with open(s.path("mapas", "grande.mapa"), "w") as f:
            f.write("1000,1000/inf//fin/")
            row = "0,1,0,0,2,0,0,1,0,3," * 100
            for _ in range(1000):
                f.write(row)
            f.write("/fin/500,500/fin/" + "".join("%d,%d:%d/unit/" % (i * 9, i * 7, i % 3)
                                                  for i in range(101)) + "/fin/")
        s.menu("Cargar mapa")
        s.file_dialog(s.path("mapas", "grande.mapa"))
        s.wait_label("nenemigos", lambda t: t == "Enemigos: 101", timeout=20)
        s.menu("Cargar jugador")
        s.file_dialog("Ida")
        s.wait_label("exy", lambda t: t == "Persona (500,500)", timeout=10)
        print("resident memory with a 1000 x 1000 map: %.1f MB" % rss_mb(pid))


if __name__ == "__main__":
    run(test)
