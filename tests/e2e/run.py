"""Runs one scenario on one front end: run.py DRIVER SCENARIO, with drivers/DRIVER.py's Session
and scenarios.SCENARIO."""

import importlib, os, sys  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "drivers"))
import scenarios  # noqa: E402

getattr(scenarios, sys.argv[2])(importlib.import_module(sys.argv[1]).Session)
