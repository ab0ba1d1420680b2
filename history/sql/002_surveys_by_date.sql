-- The inspection history, schema version 2: an asset's surveys are listed, and its readings
-- read, in date order; this index gives them in that order without sorting the table.

DROP INDEX surveys_by_asset;
CREATE INDEX surveys_by_asset_date ON surveys (asset_id, survey_date, id);

UPDATE schema_version SET version = 2;
