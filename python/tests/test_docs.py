"""help(tav1) is what a user reads first: its example runs, and every name has its docstring."""
import doctest

import tav1


def test_the_modules_example_runs():
    assert doctest.testmod(tav1).failed == 0


def test_every_name_has_a_docstring():
    names = [name for name in dir(tav1) if not name.startswith("_")]
    assert sorted(names) == ["Fleet", "Map", "RangeNoise", "beam_weights", "cast", "collides", "follow",
                            "import_occupancy", "likelihood_field", "load_map", "run", "sweep", "trajectory"]
    for name in names:
        assert "Parameters" in getattr(tav1, name).__doc__, name
