# SPDX-License-Identifier: MIT
"""The design codes' anchorage lengths of a case's bar in tension, as ``kvt-batch --codes``
gives them: φ = db and fck = σB from the case, fy as given, every other factor at the code's
recommended value unless given.

Each function takes the case, the bar's yield stress ``fy`` (``"345 MPa"``; a bare number in
kgf/cm², or MPa with ``units="si"``) and the codes' factors by keyword, each as kvt-batch's
option of that name takes it: ``cover`` and ``spacing`` (lengths, ``"30 mm"``; a bare number in
cm), ``bond`` (``"good"`` or ``"poor"``), ``gamma_c``, ``gamma_s``, ``alpha_ct``, ``alphas``
(α1 … α5), ``klb``, ``n_sigma``, ``km``, ``ktr``, ``ktr_aci``, ``psi_e`` and ``lambda_``.
Lengths are in cm, or mm with ``units="si"``. A factor kvt-batch would refuse raises
:class:`kvt.UsageError` in its words.
"""

from __future__ import annotations

from typing import NamedTuple

from . import _core
from ._case import Case, _entry_text, check_case
from ._run import check_units

CODES = ("ec2-2004", "ec2-2023", "mc2010", "aci318")


class CodeLength(NamedTuple):
    """A code's anchorage length and how it came about."""

    code: str  # "ec2-2004", "ec2-2023", "mc2010" or "aci318"
    title: str  # "EN 1992-1-1:2004", …
    length: float  # cm, or mm with units="si"
    mean_basis: bool  # mean strengths without partial factors (MC2010) rather than design values
    equation: str  # the clause and equation that gives the length
    terms: tuple[tuple[str, float, str], ...]  # quantities found on the way: name, value, unit


def _factor_option(name: str, value) -> list[str]:
    option = "--" + name.rstrip("_").replace("_", "-")
    if isinstance(value, (list, tuple)):
        value = ",".join(_entry_text(name, v) for v in value)
    return [option, _entry_text(name, value)]


def code_options(codes, fy, units: str = "kgf-cm", factors: dict | None = None) -> list[str]:
    """kvt-batch's options for the codes' lengths: --codes, --fy, --units and the factors."""
    if not isinstance(codes, str):
        codes = ",".join(codes)
    options = ["--codes", codes, "--fy", _entry_text("fy", fy), "--units", check_units(units)]
    for name, value in (factors or {}).items():
        options += _factor_option(name, value)
    return options


def lengths(case: Case, fy, codes="all", *, units: str = "kgf-cm", **factors) -> list[CodeLength]:
    """Each code's anchorage length of the case's bar, in the order ``codes`` names them
    (``"all"``, one key, or a list of them: ``"ec2-2004"``, ``"ec2-2023"``, ``"mc2010"``,
    ``"aci318"``)."""
    check_case(case)
    scale = 1.0 if units.lower() == "si" else 0.1  # the core gives millimetres
    found = _core.code_lengths(case._entries, code_options(codes, fy, units, factors))
    return [
        CodeLength(key, title, mm * scale, mean, equation, tuple(map(tuple, terms)))
        for key, title, mm, mean, equation, terms in found
    ]


def report(case: Case, fy, codes="all", *, units: str = "kgf-cm", **factors) -> str:
    """The lines ``kvt-batch --codes`` prints for the case: its bar and strengths, the factors
    (defaults marked), then each code's length with its basis, equation and terms."""
    check_case(case)
    options = code_options(codes, fy, units, factors)
    return _core.code_report(case._entries, case._entries.label() or case.name or "case", options)


def ec2_2004(case: Case, fy, *, units: str = "kgf-cm", **factors) -> CodeLength:
    """EN 1992-1-1:2004, 8.4: the design anchorage length lbd, Eq. (8.4)."""
    return lengths(case, fy, "ec2-2004", units=units, **factors)[0]


def ec2_2023(case: Case, fy, *, units: str = "kgf-cm", **factors) -> CodeLength:
    """EN 1992-1-1:2023, 11.4.2: the design anchorage length lbd, Eq. (11.3)."""
    return lengths(case, fy, "ec2-2023", units=units, **factors)[0]


def mc2010(case: Case, fy, *, units: str = "kgf-cm", **factors) -> CodeLength:
    """fib Model Code 2010, 6.1.3.3: the anchorage length on mean strengths, Eq. (6.1-19)."""
    return lengths(case, fy, "mc2010", units=units, **factors)[0]


def aci318(case: Case, fy, *, units: str = "kgf-cm", **factors) -> CodeLength:
    """ACI 318-19, 25.4.2: the development length ld, Eq. 25.4.2.4(a)."""
    return lengths(case, fy, "aci318", units=units, **factors)[0]


__all__ = ["CODES", "CodeLength", "aci318", "ec2_2004", "ec2_2023", "lengths", "mc2010", "report"]
