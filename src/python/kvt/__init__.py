# SPDX-License-Identifier: MIT
"""kvt from Python: the pull-out analysis of a deformed bar bonded in concrete, on the same C++
core as the desktop program and kvt-batch, so a script gets exactly their numbers.

    import kvt
    case = kvt.Case.from_file("beam1.kvt")          # or kvt.Case() for the window's start values
    run = kvt.run(case.with_(lb="30 cm", bar="D19"))
    run.pbumax, run.peak, run.load_slip              # Pbumax, where, and the load-slip response
    run.plot()                                       # the load-slip figure on a matplotlib axis
    summary = kvt.study(case, vary={"bar": ["D13", "D19"], "lb": "10:60:5"})
    summary.to_csv("beam1.study.csv", index=False)   # kvt-batch's summary, byte for byte
    kvt.find_lb(case, fy="345 MPa")                  # the required bond length
    kvt.codes.lengths(case, fy="345 MPa")            # the design codes' anchorage lengths

Units are kgf and cm, as entered in the parameter window; ``units="si"`` gives results in kN,
mm and MPa. Failures raise the exception of their kind (:class:`ParameterError`,
:class:`ArithmeticFault`, :class:`StepLimitError`, :class:`FileError`, :class:`UsageError`,
all :class:`Error`) with kvt-batch's words.
"""

from . import codes
from ._case import Case
from ._errors import (
    ArithmeticFault,
    EntryWarning,
    Error,
    FileError,
    ParameterError,
    RangeWarning,
    StepLimitError,
    UsageError,
)
from ._frame import KvtFrame
from ._law import Law
from ._run import Peak, Run, run
from ._study import RequiredLength, StudyTask, StudyTasks, find_lb, study, study_tasks

__all__ = [
    "ArithmeticFault",
    "Case",
    "EntryWarning",
    "Error",
    "FileError",
    "KvtFrame",
    "Law",
    "ParameterError",
    "Peak",
    "RangeWarning",
    "RequiredLength",
    "Run",
    "StepLimitError",
    "StudyTask",
    "StudyTasks",
    "UsageError",
    "codes",
    "find_lb",
    "run",
    "study",
    "study_tasks",
]
