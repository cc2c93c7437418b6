# SPDX-License-Identifier: MIT
"""A case: the parameter window's entries, from a file, from its start values, or changed."""

from __future__ import annotations

import numbers
import os
import warnings

from . import _core
from ._errors import EntryWarning
from ._law import Law


def _entry_text(name: str, value) -> str:
    """A value as it is typed into a box: a text as given (it may carry its unit, "30 cm"), a
    number in full, so that 0.1 is typed as 0.1."""
    if isinstance(value, str):
        return value
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{name} takes a number or a text, not {type(value).__name__}")
    if isinstance(value, numbers.Integral):
        return str(int(value))
    return repr(float(value))


class Case:
    """A pull-out case, as the parameter window holds it.

    ``Case()`` has the window's start values; ``Case.from_file("beam1.kvt")`` loads a parameter
    file as the window loads it; ``case.with_(lb="30 cm", bar="D19")`` is a copy with entries
    typed in. Entries go by kvt-batch's ``--vary`` names (cotAlpha, beta, deltaL, ru, lb, sigmaB,
    sigmaT, Ec, db, Ab, phi, Es, pw, C1, C2, reductionFactor, tauU, su, ds, bar) and follow its
    rules: a number is in the window's unit (cm, kgf/cm²; Ec in 10^5 and Es in 10^6 kgf/cm²), a
    text may carry its unit ("100 mm", "30 MPa", "200 GPa"), bar is a JIS deformed bar ("D19")
    that sets db, Ab and phi, and db or bar is typed first, so Δl = db/2 unless deltaL is given
    too. ``comment`` sets the comment, ``law`` the bond law (:class:`kvt.Law`; kvt's own unless
    given). A case never changes: ``with_`` returns a new one.

    Cases pickle, so a study's cases travel to the workers of a cluster.
    """

    __slots__ = ("_entries", "_warnings", "_law")

    def __init__(self, **entries):
        """The window's start values, with ``entries`` typed in as :meth:`with_` types them."""
        self._entries = _core.Entries()
        self._warnings: tuple[str, ...] = ()
        self._law = Law()
        if entries:
            changed = self.with_(**entries)
            self._entries, self._law = changed._entries, changed._law

    @classmethod
    def from_file(cls, path: str | os.PathLike) -> "Case":
        """A parameter file (``*.kvt``) loaded as the parameter window loads it. Entries read
        only in part ("20,5" read as 20) are named in :attr:`warnings` and as an
        :class:`kvt.EntryWarning`, and the case keeps what is read, as kvt-batch does.

        Raises :class:`kvt.FileError` when the file cannot be read, and
        :class:`kvt.ParameterError` when an entry cannot be converted."""
        entries, lines = _core.Entries.load(os.fsencode(path))
        case = cls._of(entries)
        case._warnings = tuple(lines)
        for line in lines:
            warnings.warn(line, EntryWarning, stacklevel=2)
        return case

    @classmethod
    def _of(cls, entries, law: Law | None = None) -> "Case":
        case = cls.__new__(cls)
        case._entries = entries
        case._warnings = ()
        case._law = law or Law()
        return case

    def with_(self, **entries) -> "Case":
        """A copy of the case with entries typed in by their ``--vary`` names: ``lb=30`` (cm),
        ``lb="300 mm"``, ``bar="D19"``, ``sigmaT="3 MPa"``, ``comment="D19, lb = 30 cm"``.

        Raises :class:`kvt.UsageError` for a name or a value that ``kvt-batch --vary`` would
        refuse, and :class:`kvt.ParameterError` when a box's rule refuses the value (Es so large
        that × 10^6 overflows)."""
        comment = entries.pop("comment", None)
        law = entries.pop("law", self._law)
        if not isinstance(law, Law):
            raise TypeError(f"law takes a kvt.Law, not {type(law).__name__}")
        values = [(name, _entry_text(name, value)) for name, value in entries.items()]
        changed = self._entries.with_values(values) if values else self._entries
        if comment is not None:
            if not isinstance(comment, str):
                raise TypeError("comment takes a text")
            changed = changed.with_comment(comment)
        case = Case._of(changed, law)
        case._warnings = self._warnings
        return case

    @property
    def entries(self) -> dict[str, str]:
        """The boxes' texts by their ``--vary`` names, with ``comment``: what the window would
        show."""
        return self._entries.texts()

    @property
    def parameters(self) -> dict[str, float]:
        """The entries as "Execute" commits them for a run, in kgf and cm: Ec and Es scaled, C1
        and C2 multiplied by σt (as k1 and k2), each rounded to single precision as kvt stores
        it. Raises :class:`kvt.ParameterError` where "Execute" would refuse."""
        return self._entries.committed()

    @property
    def name(self) -> str:
        """The case's name by kvt's one rule: its comment, else its parameter file's name with
        " (modified)" once an entry has changed, else empty."""
        return self._entries.name()

    @property
    def law(self) -> Law:
        """The bond law of the case's runs: kvt's own unless another was given."""
        return self._law

    @property
    def file(self) -> str | None:
        """The parameter file the case was loaded from, or None."""
        file = self._entries.file()
        return os.fsdecode(file) if file else None

    @property
    def warnings(self) -> tuple[str, ...]:
        """The entries of the case's parameter file read only in part, one line each."""
        return self._warnings

    def __repr__(self) -> str:
        label = self._entries.label() or "start values"
        law = "" if self._law.is_kvt else f", {self._law.summary}"
        return f"<kvt.Case {label}{law}>"

    def __eq__(self, other) -> bool:
        if not isinstance(other, Case):
            return NotImplemented
        return self._entries.state() == other._entries.state() and self._law == other._law

    def __hash__(self):
        return hash(tuple(self._entries.state()[0]))

    def __getstate__(self):
        return {"entries": self._entries.state(), "warnings": self._warnings, "law": self._law}

    def __setstate__(self, state):
        self._entries = _core.Entries.restore(state["entries"])
        self._warnings = tuple(state["warnings"])
        self._law = state["law"]


def check_case(case) -> Case:
    """The case, or TypeError for anything else."""
    if not isinstance(case, Case):
        raise TypeError(f"a kvt.Case is needed, not {type(case).__name__}")
    return case
