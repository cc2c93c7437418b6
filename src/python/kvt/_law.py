# SPDX-License-Identifier: MIT
"""Bond laws: kvt's own, the fib Model Code 2010's, or a table of measured points."""

from __future__ import annotations

import json
import numbers
import os

from . import _core


def _toml_value(key: str, value, quantity: bool) -> str:
    if quantity:
        if not isinstance(value, str):
            raise TypeError(f"{key} takes a quantity with its unit, such as '8 mm' or '38 MPa'")
        return json.dumps(value, ensure_ascii=False)
    if isinstance(value, str):
        return json.dumps(value, ensure_ascii=False)
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{key} takes a number")
    return repr(float(value))


class Law:
    """The local bond stress–slip law of a run.

    ``Law()`` (or ``Law.kvt()``) is kvt's own law, built from the case's entries: the default.
    ``Law.mc2010(...)`` is the fib Model Code 2010 law for ribbed bars, ``Law.table(frame)`` a
    law of measured points, and ``Law.from_file("law.toml")`` reads a law file as
    ``kvt-batch --law`` does. A case takes its law with ``case.with_(law=...)``; a run with
    another law than kvt's own names it in its figures, and a study's summary gains a ``law``
    column, as kvt-batch's. Laws pickle with their entries, a table with its points."""

    __slots__ = ("_law",)

    def __init__(self):
        self._law = _core.Law()

    @classmethod
    def _of(cls, law) -> "Law":
        made = cls.__new__(cls)
        made._law = law
        return made

    @classmethod
    def kvt(cls) -> "Law":
        """kvt's own law, from the case's entries (cotα, β, ru, σt, C1, C2, pw, τu, su …)."""
        return cls()

    @classmethod
    def mc2010(
        cls,
        *,
        fcm: str | None = None,
        fck: str | None = None,
        bond: str = "good",
        failure: str = "pull-out",
        c_clear: str,
        c_min: str | None = None,
        c_max: str | None = None,
        km: float | None = None,
        Ktr: float | None = None,
    ) -> "Law":
        """fib MC2010's local bond–slip law for ribbed bars under monotonic loading, Eq. (6.1-1)
        with Table 6.1-1. Quantities carry their units, as in a law file: ``fcm="38 MPa"`` (or
        ``fck``, with fcm = fck + 8 MPa), ``c_clear="8 mm"`` (the clear rib spacing), and for
        ``failure="splitting"`` or ``"lower"`` also ``c_min`` and ``c_max``. ``bond`` is
        ``"good"`` or ``"other"``; ``km`` and ``Ktr`` describe the stirrups (0 unless given).

        Raises :class:`kvt.FileError` naming the entry and the reason, as a law file would."""
        given = {
            "fcm": (fcm, True), "fck": (fck, True), "bond": (bond, False),
            "failure": (failure, False), "c_clear": (c_clear, True), "c_min": (c_min, True),
            "c_max": (c_max, True), "km": (km, False), "Ktr": (Ktr, False),
        }
        lines = ['law = "mc2010"']
        for key, (value, quantity) in given.items():
            if value is not None:
                lines.append(f"{key} = {_toml_value(key, value, quantity)}")
        return cls._of(_core.Law.read_text("\n".join(lines) + "\n", "kvt.Law.mc2010"))

    @classmethod
    def table(cls, points, name: str = "table") -> "Law":
        """A law of measured points (s, τ): a DataFrame of two columns whose titles name their
        units, as a law table's header does (``"slip (mm)"``, ``"bond stress (MPa)"``, or in
        cm and kgf/cm2). Linear between points, from zero at zero slip to the first, the last
        stress held beyond the last. ``name`` names the law in figures and summaries."""
        columns = list(points.columns)
        if len(columns) != 2:
            raise ValueError("a law table has two columns: slip and bond stress, with units")
        lines = [",".join(str(c) for c in columns)]
        for slip, stress in points.itertuples(index=False, name=None):
            lines.append(f"{repr(float(slip))},{repr(float(stress))}")
        return cls._of(_core.Law.read_table(lines, name))

    @classmethod
    def from_file(cls, path: str | os.PathLike) -> "Law":
        """A law file (TOML), read as ``kvt-batch --law`` reads it. Raises
        :class:`kvt.FileError` naming the file, the key and the reason."""
        return cls._of(_core.Law.read_file(os.fsencode(path)))

    @property
    def is_kvt(self) -> bool:
        """Whether this is kvt's own law."""
        return self._law.is_kvt()

    @property
    def summary(self) -> str:
        """The law and all its entries in one line, as a summary's ``law`` column shows it."""
        return self._law.summary()

    @property
    def entries(self) -> dict[str, str]:
        """The law's name and entries as kvt's outputs show them."""
        return dict(self._law.describe())

    def __repr__(self) -> str:
        return f"<kvt.Law {self.summary}>"

    def __eq__(self, other) -> bool:
        if not isinstance(other, Law):
            return NotImplemented
        return self._law.state() == other._law.state()

    def __hash__(self):
        return hash(repr(self._law.state()))

    def __getstate__(self):
        return {"law": self._law.state()}

    def __setstate__(self, state):
        self._law = _core.Law.restore(state["law"])
