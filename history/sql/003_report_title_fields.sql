-- The inspection history, schema version 3: an asset keeps the fields of its report's title
-- block (whom the work is for and where, what was measured, with what and by whom). Free text,
-- NULL when not given; the nominal thickness in the asset's units.

ALTER TABLE assets ADD COLUMN client TEXT;
ALTER TABLE assets ADD COLUMN site TEXT;
ALTER TABLE assets ADD COLUMN component TEXT;
ALTER TABLE assets ADD COLUMN nominal_thickness DOUBLE PRECISION;
ALTER TABLE assets ADD COLUMN inspector TEXT;
ALTER TABLE assets ADD COLUMN certification TEXT;
ALTER TABLE assets ADD COLUMN gauge_model TEXT;
ALTER TABLE assets ADD COLUMN gauge_serial TEXT;
ALTER TABLE assets ADD COLUMN calibration_date TEXT;
ALTER TABLE assets ADD COLUMN probe TEXT;
ALTER TABLE assets ADD COLUMN comments TEXT;

UPDATE schema_version SET version = 3;
