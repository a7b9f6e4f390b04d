# Starts the system's Orca for one test session, with its debug log written
# line by line so that the session can read the utterances as they come.
#   orca_launch.py <orca launcher> <debug log> [orca's own options...]
# Orca refuses to start while any other Orca of the same user runs, looked
# up by process name over all sessions, and renames itself "orca" so that
# the others refuse in turn. This one belongs to a D-Bus session of its own
# and hears only that session's programs: it neither stops nor is stopped by
# a user's screen reader on the real desktop.
import importlib.machinery
import importlib.util
import sys

launcher_path = sys.argv.pop(1)
log_path = sys.argv.pop(1)

loader = importlib.machinery.SourceFileLoader("orca_launcher", launcher_path)
spec = importlib.util.spec_from_loader("orca_launcher", loader)
launcher = importlib.util.module_from_spec(spec)
loader.exec_module(launcher)
launcher.otherOrcas = lambda: []
launcher.setProcessName = lambda name: False

# Orca's own --debug-file is block-buffered: nothing could be read until it
# ends. The same log, every level, one line at a time.
from orca import debug  # noqa: E402  (the very module the launcher writes through)

debug.debugLevel = debug.LEVEL_ALL
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(log_path, "w", buffering=1, encoding="utf-8")

sys.argv[0] = "orca"
sys.exit(launcher.main())
