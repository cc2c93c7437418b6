# SPDX-License-Identifier: MIT
"""DataFrames that write themselves back as kvt writes its CSV files.

kvt's CSV files (the load-slip response, a step's distribution, a study's summary) have CR LF
line ends and numbers in their shortest round-trip form ("0.1", "1e-05", "4713"), where pandas
would write "4713.0" and LF. A :class:`KvtFrame` is read from such a text with every number
exactly as written, and its ``to_csv`` writes the same bytes again.
"""

from __future__ import annotations

import csv
import io
import math
import re

import numpy as np
import pandas as pd

from . import _core

# How a column's numbers are written: whole numbers, shortest round-trip doubles, or lengths in
# tenths of a cm as typed into the lb box ("20.0").
WHOLE, NUMBER, TENTHS, TEXT = "whole", "number", "tenths", "text"

_WHOLE = re.compile(r"-?[0-9]+\Z")


def _number(text: str):
    try:
        value = float(text)
    except ValueError:
        return None
    return value if math.isfinite(value) else None


def _texts(values, form: str) -> list[str]:
    if form == TENTHS:
        return _core.length_texts([round(v * 10) for v in values])
    return _core.round_trip_texts(values)


def _typed_column(cells: list[str], quantity: bool):
    """The cells as one column: whole numbers, numbers or texts, whichever writes every cell
    back as it was; empty cells are missing values. A quantity (a column whose title names its
    unit) is never a column of whole numbers, even when each of its values is one."""
    filled = [c for c in cells if c != ""]
    if filled and not quantity and all(_WHOLE.match(c) and str(int(c)) == c for c in filled):
        values = [int(c) if c != "" else None for c in cells]
        if len(filled) == len(cells):
            return np.array(values, dtype=np.int64), WHOLE
        return pd.array(values, dtype="Int64"), WHOLE
    numbers = {c: _number(c) for c in filled}
    numeric = [c for c in filled if numbers[c] is not None]
    for form in (NUMBER, TENTHS):
        if numeric and _texts([numbers[c] for c in numeric], form) == numeric:
            if len(numeric) == len(filled):
                values = [numbers[c] if c != "" else np.nan for c in cells]
                return np.array(values, dtype=np.float64), form
            mixed = [numbers[c] if numbers.get(c) is not None else (c or np.nan) for c in cells]
            return pd.array(mixed, dtype=object), form
    return pd.array([c if c != "" else np.nan for c in cells], dtype=object), TEXT


def frame_from_csv(text: str) -> "KvtFrame":
    """A frame of a CSV text that kvt wrote, every value as written, and the comment lines
    before its header (a run with another law than kvt's own names it there)."""
    comment = ""
    while text.startswith("#"):
        end = text.index("\n") + 1
        comment, text = comment + text[:end], text[end:]
    rows = list(csv.reader(io.StringIO(text, newline="")))
    header, body = rows[0], rows[1:]
    columns, forms = {}, {}
    for j, name in enumerate(header):
        cells = [row[j] for row in body]
        columns[name], forms[name] = _typed_column(cells, name.endswith(")"))
    frame = KvtFrame(columns, columns=header)
    frame._kvt_forms = forms
    frame._kvt_comment = comment
    return frame


def _written(column: pd.Series, form: str | None) -> pd.Series:
    """A column as kvt writes it: its numbers in kvt's forms, texts as they are, missing values
    empty."""
    values = column.tolist()
    numbers = [
        k
        for k, v in enumerate(values)
        if isinstance(v, (float, np.floating)) and not math.isnan(v)
    ]
    texts = _texts([float(values[k]) for k in numbers], TENTHS if form == TENTHS else NUMBER)
    out = ["" if _missing(v) else str(v) for v in values]
    for k, text in zip(numbers, texts):
        out[k] = text
    return pd.Series(out, index=column.index, name=column.name, dtype=object)


def _missing(value) -> bool:
    return value is None or value is pd.NA or (isinstance(value, float) and math.isnan(value))


class KvtFrame(pd.DataFrame):
    """A pandas DataFrame of one of kvt's CSV files. ``to_csv(path, index=False)`` writes it
    byte for byte as kvt writes that file: CR LF line ends, numbers in their shortest round-trip
    form, after the comment line that names a law other than kvt's own (:attr:`comment`).
    Give ``float_format`` or ``lineterminator`` to write it otherwise."""

    _metadata = ["_kvt_forms", "_kvt_comment"]
    _kvt_forms: dict = {}
    _kvt_comment: str = ""

    @property
    def comment(self) -> str:
        """The comment lines kvt wrote before the header ("# bond law: …"), or empty."""
        return self._kvt_comment

    @property
    def _constructor(self):
        return KvtFrame

    def to_csv(self, path_or_buf=None, *args, **kwargs):
        if kwargs.get("float_format") is not None:
            return pd.DataFrame(self).to_csv(path_or_buf, *args, **kwargs)
        forms = self._kvt_forms or {}
        frame = pd.DataFrame(
            {name: _written(self[name], forms.get(name)) for name in self.columns},
            index=self.index,
        )
        kwargs.setdefault("lineterminator", "\r\n")
        if not self._kvt_comment:
            return frame.to_csv(path_or_buf, *args, **kwargs)
        mode = kwargs.pop("mode", "w")
        encoding = kwargs.pop("encoding", None) or "utf-8"
        text = self._kvt_comment + frame.to_csv(None, *args, **kwargs)
        if path_or_buf is None:
            return text
        if hasattr(path_or_buf, "write"):
            path_or_buf.write(text)
        else:
            with open(path_or_buf, mode, encoding=encoding, newline="") as out:
                out.write(text)
        return None
