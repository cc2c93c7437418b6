# SPDX-License-Identifier: MIT
"""kvt's exceptions: one class for each kind of failure of kvt's core.

Each carries the words kvt-batch prints for the same failure (without the leading
"kvt-batch: "). A run that fails part-way keeps the steps it finished: the exception's ``run``
attribute holds them as a :class:`kvt.Run`.
"""

from __future__ import annotations


class Error(Exception):
    """A failure of kvt's core. ``kind`` names it as kvt does; ``run`` holds the steps a run
    finished before it failed, or None."""

    kind = "error"

    def __init__(self, message: str, run=None):
        super().__init__(message)
        self.run = run


class ParameterError(Error, ValueError):
    """An entry or a set of entries the analysis cannot take: a bar of negative length, an
    entry whose scaling overflows, a law whose entries give no law."""

    kind = "parameter"


class ArithmeticFault(Error, ArithmeticError):
    """An overflow, a division by zero or an invalid operation while the analysis computes."""

    kind = "arithmetic"


class StepLimitError(Error):
    """The run reached its last step without the bond giving out. Its steps are sound."""

    kind = "step-limit"


class FileError(Error, OSError):
    """A file that cannot be read or written."""

    kind = "file"


class UsageError(Error, ValueError):
    """An option or an entry that kvt-batch's command line would refuse, in its words."""

    kind = "usage"


_BY_KIND = {
    cls.kind: cls
    for cls in (ParameterError, ArithmeticFault, StepLimitError, FileError, UsageError)
}


def error_for(kind: str | None) -> type:
    """The exception class of an error kind of kvt's core; KeyboardInterrupt for a cancelled
    run, and :class:`Error` for a fault from outside kvt's own errors."""
    if kind == "cancelled":
        return KeyboardInterrupt
    return _BY_KIND.get(kind, Error)


class EntryWarning(UserWarning):
    """An entry of a parameter file read only in part ("lb "20,5" is read as 20"), or a file
    that does not look like a parameter file; kvt-batch names these on standard error, and the
    run goes on with what is read."""


class RangeWarning(UserWarning):
    """A range of values whose step does not land on its stop ("10:20:3" runs 10, 13, 16, 19),
    as kvt-batch names it on standard error before a study runs."""
